// c_ConnData: one named connection of the connection list — a name unique
// within the list (compared exactly), an FDO provider name as the provider
// registry gives it, and a connection string passed to the provider
// unchanged. Copied by value.
#pragma once

#include <QString>

struct c_ConnData {
    QString name;
    QString provider;
    QString connectionString;

    bool operator==(const c_ConnData&) const = default;
    bool IsEmpty() const { return name.isEmpty() && provider.isEmpty() && connectionString.isEmpty(); }
};
