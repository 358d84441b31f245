// FdoCommonConnStringParser: reads a connection string such as
//     File=C:\data\roads.shp; TemporaryFile="a;b"
// into name/value pairs.
//
// Pairs are separated by ';'. Blanks before a name, around it, after '=' and
// at the end of an unquoted value are ignored; empty segments are skipped. A
// value that starts with '"' runs to the next '"' and may hold ';' (there is
// no escape for '"'). Names are kept lower-cased and looked up in any case;
// when a name repeats, the later value wins. On the first malformed segment
// (one starting with '=', a name without '=', a '"' inside an unquoted
// value, an unterminated quote, text after a closing quote) parsing stops,
// the string is marked invalid, and the pairs read before it are kept.
//
// A plain value class: providers construct it on the stack from the string
// they are given.
#pragma once

#include <Fdo/Common/StringCollection.h>

#include <vector>

class FDO_API FdoCommonConnStringParser {
public:
    explicit FdoCommonConnStringParser(FdoString* connectionString);

    bool IsConnStringValid() const { return m_valid; }
    bool IsPropertyValueSet(FdoString* name) const { return Find(name) != nullptr; }
    // Borrowed, valid while the parser lives; null when the name is absent,
    // L"" for "name=".
    FdoString* GetPropertyValueW(FdoString* name) const;
    // The same as UTF-8.
    const char* GetPropertyValue(FdoString* name) const;
    // True when the value was written between '"'.
    bool IsPropertyValueQuoted(FdoString* name) const;

    // The parsed names (lower-cased) in the order they first appear.
    FdoInt32 GetCount() const { return static_cast<FdoInt32>(m_pairs.size()); }
    FdoString* GetPropertyName(FdoInt32 index) const;
    // New reference.
    FdoStringCollection* GetPropertyNames() const;

    // Whether a parsed name is none of definedNames (compared in any case).
    bool HasInvalidProperties(FdoStringCollection* definedNames) const {
        return GetFirstInvalidPropertyName(definedNames) != nullptr;
    }
    // Borrowed lower-cased name, or null when every name is defined.
    FdoString* GetFirstInvalidPropertyName(FdoStringCollection* definedNames) const;

private:
    struct Pair {
        FdoStringP name;
        FdoStringP value;
        bool quoted;
    };
    const Pair* Find(FdoString* name) const;
    void Parse(FdoString* text);
    void Set(const FdoStringP& name, const FdoStringP& value, bool quoted);

    std::vector<Pair> m_pairs;
    bool m_valid = true;
};
