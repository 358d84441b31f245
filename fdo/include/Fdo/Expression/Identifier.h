// FdoIdentifier names a schema element in expressions and commands:
// "Schema:Class.Property". The text is split once when set, so the getters
// are cheap in per-row code.
#pragma once

#include <Fdo/Common/NamedCollection.h>
#include <Fdo/Expression/Expression.h>

#include <vector>

class FDO_API FdoIdentifier : public FdoExpression {
public:
    static FdoIdentifier* Create() { return new FdoIdentifier(nullptr); }
    static FdoIdentifier* Create(FdoString* text) { return new FdoIdentifier(text); }

    // The whole text as given (borrowed).
    FdoString* GetText() { return m_text; }
    virtual void SetText(FdoString* text);
    // The text before the first ':', or L"".
    FdoString* GetSchemaName() { return m_schemaName; }
    // The '.'-separated parts before the name; count receives their number.
    // The array is borrowed and valid until the text changes.
    FdoString** GetScope(FdoInt32& count);
    // The last '.'-separated part after the schema.
    virtual FdoString* GetName() { return m_name; }

    FdoExpressionItemType GetExpressionType() override { return FdoExpressionItemType_Identifier; }
    // The text, double-quoted unless it reads back as a plain identifier.
    FdoString* ToString() override;

protected:
    explicit FdoIdentifier(FdoString* text) { FdoIdentifier::SetText(text); }

private:
    FdoStringP m_text;
    FdoStringP m_schemaName;
    FdoStringP m_name;
    std::vector<FdoStringP> m_scope;
    std::vector<FdoString*> m_scopePtrs;
};

// A named expression in a select list: "( expr ) AS name".
class FDO_API FdoComputedIdentifier : public FdoIdentifier {
public:
    static FdoComputedIdentifier* Create() { return new FdoComputedIdentifier(nullptr, nullptr); }
    static FdoComputedIdentifier* Create(FdoString* name, FdoExpression* expression) {
        return new FdoComputedIdentifier(name, expression);
    }

    // New reference, or null.
    FdoExpression* GetExpression() { return FDO_SAFE_ADDREF(m_expression); }
    void SetExpression(FdoExpression* expression);

    FdoExpressionItemType GetExpressionType() override {
        return FdoExpressionItemType_ComputedIdentifier;
    }
    FdoString* ToString() override;

protected:
    FdoComputedIdentifier(FdoString* name, FdoExpression* expression)
        : FdoIdentifier(name), m_expression(FDO_SAFE_ADDREF(expression)) {}
    ~FdoComputedIdentifier() override { FDO_SAFE_RELEASE(m_expression); }

private:
    FdoExpression* m_expression;
};

// Identifiers by GetName(), case-sensitive.
class FDO_API FdoIdentifierCollection : public FdoNamedCollection<FdoIdentifier, FdoCommandException> {
public:
    static FdoIdentifierCollection* Create() { return new FdoIdentifierCollection(); }

protected:
    FdoIdentifierCollection() = default;
    void Dispose() override { delete this; }
};
