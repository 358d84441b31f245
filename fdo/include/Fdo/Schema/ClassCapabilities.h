// FdoClassCapabilities: what a provider can do with one class (locking,
// long transactions, writing, polygon vertex order). Providers attach it
// to the classes they describe; a class without it says nothing.
#pragma once

#include <Fdo/Common/Exception.h>
#include <Fdo/Common/Enums.h>

#include <map>
#include <string>
#include <vector>

class FdoClassDefinition;

class FDO_API FdoClassCapabilities : public FdoIDisposable {
public:
    static FdoClassCapabilities* Create() { return new FdoClassCapabilities(); }
    // The class is not kept; the form exists for callers that name it.
    static FdoClassCapabilities* Create(FdoClassDefinition& /*parent*/) { return Create(); }

    bool SupportsLocking() { return m_locking; }
    void SetSupportsLocking(bool value) { m_locking = value; }
    // Borrowed array, valid until the lock types change.
    FdoLockType* GetLockTypes(FdoInt32& size);
    void SetLockTypes(const FdoLockType* types, FdoInt32 size);
    bool SupportsLongTransactions() { return m_longTransactions; }
    void SetSupportsLongTransactions(bool value) { m_longTransactions = value; }
    bool SupportsWrite() { return m_write; }
    void SetSupportsWrite(bool value) { m_write = value; }

    // Per geometric property; None and false for a property never set.
    FdoPolygonVertexOrderRule GetPolygonVertexOrderRule(FdoString* geometryPropertyName);
    void SetPolygonVertexOrderRule(FdoString* geometryPropertyName, FdoPolygonVertexOrderRule value);
    bool GetPolygonVertexOrderStrictness(FdoString* geometryPropertyName);
    void SetPolygonVertexOrderStrictness(FdoString* geometryPropertyName, bool value);

protected:
    FdoClassCapabilities() = default;
    void Dispose() override { delete this; }

private:
    friend class FdoCommonSchemaUtil;
    friend class FdoCommonSchemaCompare;
    struct VertexOrder {
        FdoPolygonVertexOrderRule rule = FdoPolygonVertexOrderRule_None;
        bool strict = false;
    };
    bool m_locking = false;
    bool m_longTransactions = false;
    bool m_write = false;
    std::vector<FdoLockType> m_lockTypes;
    std::map<std::wstring, VertexOrder> m_vertexOrder;
};
