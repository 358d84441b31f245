// Property values: the (property, value) pairs of insert and update commands.
//
// The collection finds items by the full text of their identifier
// ("Class.Prop" and "Prop" are different names), case-sensitive.
#pragma once

#include <Fdo/Common/Collection.h>
#include <Fdo/Expression/Identifier.h>

class FDO_API FdoPropertyValue : public FdoDisposable {
public:
    static FdoPropertyValue* Create() { return new FdoPropertyValue(nullptr, nullptr); }
    static FdoPropertyValue* Create(FdoIdentifier* name, FdoValueExpression* value) {
        return new FdoPropertyValue(name, value);
    }
    static FdoPropertyValue* Create(FdoString* name, FdoValueExpression* value);

    // New reference, or null when no name was set.
    FdoIdentifier* GetName() { return FDO_SAFE_ADDREF(m_name); }
    void SetName(FdoIdentifier* name);
    void SetName(FdoString* name);
    // New reference, or null when no value was set.
    FdoValueExpression* GetValue() { return FDO_SAFE_ADDREF(m_value); }
    void SetValue(FdoValueExpression* value);
    // Parses value as a literal: a string, number, TRUE/FALSE, NULL, a
    // DATE/TIME/TIMESTAMP literal or a parameter. Other text throws
    // FdoExpressionException. A null pointer clears the value.
    void SetValue(FdoString* value);

protected:
    FdoPropertyValue(FdoIdentifier* name, FdoValueExpression* value)
        : m_name(FDO_SAFE_ADDREF(name)), m_value(FDO_SAFE_ADDREF(value)) {}
    ~FdoPropertyValue() override;

private:
    FdoIdentifier* m_name;
    FdoValueExpression* m_value;
};

class FDO_API FdoPropertyValueCollection : public FdoCollection<FdoPropertyValue, FdoCommandException> {
public:
    static FdoPropertyValueCollection* Create() { return new FdoPropertyValueCollection(); }

    using FdoCollection<FdoPropertyValue, FdoCommandException>::GetItem;
    using FdoCollection<FdoPropertyValue, FdoCommandException>::IndexOf;
    using FdoCollection<FdoPropertyValue, FdoCommandException>::Contains;
    // New reference; throws "Invalid property value name '<name>'." when absent.
    FdoPropertyValue* GetItem(FdoString* name) const;
    // New reference, or null when absent.
    FdoPropertyValue* FindItem(FdoString* name) const;
    FdoInt32 IndexOf(FdoString* name) const;
    bool Contains(FdoString* name) const { return IndexOf(name) >= 0; }

protected:
    FdoPropertyValueCollection() = default;
    void Dispose() override { delete this; }
};
