// The definitions and values behind both common property dictionaries. The
// dictionaries differ only in their noun ("connection property", "data store
// property"), their exception class and whether a connection string is kept,
// so the rules live here once.
#pragma once

#include <Fdo/Common/Exception.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class FdoCommonPropertyTable {
public:
    typedef FdoException* (*ExceptionFactory)(FdoString* message);

    struct Property {
        FdoStringP name;
        FdoStringP localizedName;
        FdoStringP defaultValue;
        FdoInt32 flags = 0;
        std::vector<FdoStringP> values;
        std::vector<FdoString*> valuePtrs;
        FdoStringP value;
        bool quoted = false;

        bool Has(FdoInt32 flag) const { return (flags & flag) != 0; }
    };

    FdoCommonPropertyTable(FdoString* noun, ExceptionFactory makeException)
        : m_noun(noun), m_makeException(makeException) {}

    void Add(FdoString* name, FdoString* defaultValue, FdoInt32 flags,
             std::initializer_list<FdoString*> values, FdoString* localizedName);

    // Null when no property answers to the name.
    Property* Find(FdoString* name) const;
    // Throws "The <noun> '<name>' was not found.".
    Property& Get(FdoString* name) const;

    FdoString** GetNames(FdoInt32& count);
    FdoString** GetValues(FdoString* name, FdoInt32& count);

    // The value as it will be stored, after the rules for this property;
    // throws when the value is not acceptable. quoted receives whether the
    // value was written between '"' (the quotes are removed).
    FdoStringP Check(const Property& p, FdoString* value, bool& quoted) const;
    void Set(FdoString* name, FdoString* value);

    void ClearValues();
    // Throws for the first required property that is empty.
    void CheckRequired() const;

    // "Name=Value;" for each non-empty property in definition order.
    FdoStringP ToConnectionString() const;

    FdoException* MakeException(const FdoStringP& message) const { return m_makeException(message); }
    FdoString* Noun() const { return m_noun; }

    std::vector<std::unique_ptr<Property>>& Properties() { return m_properties; }

private:
    FdoStringP m_noun;
    ExceptionFactory m_makeException;
    std::vector<std::unique_ptr<Property>> m_properties;
    std::vector<FdoString*> m_namePtrs;
};
