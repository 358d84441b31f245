// FdoStringCollection: a list of strings, built from delimited text.
#pragma once

#include <Fdo/Common/Collection.h>

class FDO_API FdoStringElement : public FdoDisposable {
public:
    static FdoStringElement* Create(const FdoStringP& value) { return new FdoStringElement(value); }
    const FdoStringP& GetString() const { return m_value; }
    void SetString(const FdoStringP& value) { m_value = value; }

protected:
    explicit FdoStringElement(const FdoStringP& value) : m_value(value) {}

private:
    FdoStringP m_value;
};

class FDO_API FdoStringCollection : public FdoCollection<FdoStringElement, FdoException> {
public:
    static FdoStringCollection* Create();
    static FdoStringCollection* Create(const FdoStringCollection* other);
    // Splits text at any of the single characters in delimiters. Empty tokens
    // are kept only when nullTokens is true.
    static FdoStringCollection* Create(const FdoStringP& text, FdoString* delimiters,
                                       bool nullTokens = false);

    using FdoCollection<FdoStringElement, FdoException>::Add;
    using FdoCollection<FdoStringElement, FdoException>::IndexOf;
    FdoInt32 Add(const FdoStringP& value);
    void Append(const FdoStringCollection* other);
    // Borrowed; valid while the item is in the collection.
    FdoString* GetString(FdoInt32 index) const;
    FdoInt32 IndexOf(const FdoStringP& value, bool caseSensitive = true) const;
    FdoStringP ToString(FdoString* separator = L", ") const;

protected:
    FdoStringCollection() = default;
    void Dispose() override { delete this; }
};

typedef FdoPtr<FdoStringCollection> FdoStringsP;
