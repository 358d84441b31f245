// Parameter values: the bindings of a command's ":name" parameters, one
// collection per execution, or a batch of them for inserting many rows with
// one prepared command.
#pragma once

#include <Fdo/Common/NamedCollection.h>
#include <Fdo/Expression/Expression.h>

class FDO_API FdoParameterValue : public FdoDisposable {
public:
    static FdoParameterValue* Create() { return new FdoParameterValue(nullptr, nullptr); }
    static FdoParameterValue* Create(FdoString* name) { return new FdoParameterValue(name, nullptr); }
    static FdoParameterValue* Create(FdoString* name, FdoLiteralValue* value) {
        return new FdoParameterValue(name, value);
    }

    FdoString* GetName() { return m_name; }
    void SetName(FdoString* name) { m_name = name; }
    // New reference, or null when no value is bound.
    FdoLiteralValue* GetValue() { return FDO_SAFE_ADDREF(m_value); }
    void SetValue(FdoLiteralValue* value);
    // Binds a string value; a null pointer binds a null string.
    void SetValue(FdoString* value);
    FdoParameterDirection GetDirection() { return m_direction; }
    void SetDirection(FdoParameterDirection direction) { m_direction = direction; }

protected:
    FdoParameterValue(FdoString* name, FdoLiteralValue* value)
        : m_name(name), m_value(FDO_SAFE_ADDREF(value)) {}
    ~FdoParameterValue() override { FDO_SAFE_RELEASE(m_value); }

private:
    FdoStringP m_name;
    FdoLiteralValue* m_value;
    FdoParameterDirection m_direction = FdoParameterDirection_Input;
};

// Parameter values by name, case-sensitive.
class FDO_API FdoParameterValueCollection
    : public FdoNamedCollection<FdoParameterValue, FdoCommandException> {
public:
    static FdoParameterValueCollection* Create() { return new FdoParameterValueCollection(); }

protected:
    FdoParameterValueCollection() = default;
    void Dispose() override { delete this; }
};

// One FdoParameterValueCollection per row of a batch.
class FDO_API FdoBatchParameterValueCollection
    : public FdoCollection<FdoParameterValueCollection, FdoCommandException> {
public:
    static FdoBatchParameterValueCollection* Create() { return new FdoBatchParameterValueCollection(); }

protected:
    FdoBatchParameterValueCollection() = default;
    void Dispose() override { delete this; }
};
