// NorvSqlDataReader: the rows of a query run by the SQL command.
//
// Columns are found by name exactly, else ignoring case (the dialects
// report names upper-case; callers do not always ask that way). Values
// convert as a database client library converts them: numbers read as any
// numeric type and as text, text that holds a number reads as a number.
// A null column reads as an empty string, 0 or false, and IsNull tells it
// apart. Geometry columns (declared so, or holding a stored geometry) read
// as FGF with GetGeometry.
#pragma once

#include "NorvSqlite.h"

#include <Fdo.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace norvdb {

class NorvSqlDataReader : public FdoISQLDataReader {
public:
    // owner keeps the session alive while the reader is.
    static NorvSqlDataReader* Create(FdoIDisposable* owner, std::unique_ptr<Statement> statement);

    FdoInt32 GetColumnCount() override;
    FdoString* GetColumnName(FdoInt32 index) override;
    FdoInt32 GetColumnIndex(FdoString* columnName) override;
    FdoDataType GetColumnType(FdoString* columnName) override;
    FdoPropertyType GetPropertyType(FdoString* columnName) override;
    bool GetBoolean(FdoString* name) override;
    FdoByte GetByte(FdoString* name) override;
    FdoDateTime GetDateTime(FdoString* name) override;
    double GetDouble(FdoString* name) override;
    FdoInt16 GetInt16(FdoString* name) override;
    FdoInt32 GetInt32(FdoString* name) override;
    FdoInt64 GetInt64(FdoString* name) override;
    float GetSingle(FdoString* name) override;
    FdoString* GetString(FdoString* name) override;
    FdoLOBValue* GetLOB(FdoString* name) override;
    bool IsNull(FdoString* name) override;
    FdoByteArray* GetGeometry(FdoString* name) override;
    bool ReadNext() override;
    void Close() override;

protected:
    NorvSqlDataReader() = default;
    void Dispose() override { delete this; }

private:
    int Column(FdoString* name);
    void CheckRow() const;

    FdoPtr<FdoIDisposable> m_owner;
    std::unique_ptr<Statement> m_stmt;
    std::vector<FdoStringP> m_names;
    std::vector<std::optional<std::wstring>> m_strings;
    bool m_onRow = false;
    bool m_done = false;
};

}  // namespace norvdb
