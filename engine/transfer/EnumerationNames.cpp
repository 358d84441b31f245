// The one set of display names for FDO enumeration values that the desktop
// program shows and reads back. Names are FDO's enumerator names without the
// type prefix; geometric types are written in capitals. Parsing ignores
// letter case but nothing else (a leading blank makes a name unknown).
#include <GeoxferApi/FDO_Api.h>

#include <FdoCommon/FdoCommonEnumNames.h>

#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

namespace {

template <class E>
struct NameEntry {
    const wchar_t* name;
    E value;
};

// Ordered tables: lookups walk them in this order. Data and geometry type
// names are the layer's own (FdoCommonEnumNames).
const NameEntry<FdoGeometricType> kGeometricTypes[] = {
    {L"POINT", FdoGeometricType_Point},
    {L"CURVE", FdoGeometricType_Curve},
    {L"SURFACE", FdoGeometricType_Surface},
    {L"SOLID", FdoGeometricType_Solid},
};

const wchar_t* const kLockTypes[] = {L"None",        L"Shared",
                                     L"Exclusive",   L"Transaction",
                                     L"Unsupported", L"AllLongTransactionExclusive",
                                     L"LongTransactionExclusive"};

const wchar_t* const kClassTypes[] = {L"Class",
                                      L"FeatureClass",
                                      L"NetworkClass",
                                      L"NetworkLayerClass",
                                      L"NetworkNodeClass",
                                      L"NetworkLinkClass"};

// Written for a geometry type value that has no name, so that a list keeps
// its length and reading it back fails at that place instead of silently
// dropping the value.
constexpr const wchar_t* kUnnamedGeometryType = L"Unknown";

constexpr int kGeometryTypeBufferSize = 64;
FdoGeometryType g_GeometryTypeBuffer[kGeometryTypeBufferSize];

template <class E, size_t N>
const wchar_t* NameOf(const NameEntry<E> (&table)[N], E value) {
    for (const auto& entry : table)
        if (entry.value == value) return entry.name;
    return nullptr;
}

template <class E, size_t N>
bool ValueOf(const NameEntry<E> (&table)[N], const wchar_t* name, E& value) {
    if (!name) return false;
    for (const auto& entry : table)
        if (wcscasecmp(entry.name, name) == 0) {
            value = entry.value;
            return true;
        }
    return false;
}

// Pieces of text between separators; empty pieces are dropped.
std::vector<std::wstring> SplitDroppingEmpty(const wchar_t* text, wchar_t separator) {
    std::vector<std::wstring> pieces;
    if (!text) return pieces;
    std::wstring piece;
    for (const wchar_t* p = text;; p++) {
        if (*p == separator || *p == L'\0') {
            if (!piece.empty()) pieces.push_back(piece);
            piece.clear();
            if (*p == L'\0') break;
        } else {
            piece += *p;
        }
    }
    return pieces;
}

}  // namespace

const wchar_t* c_FDO_Api::FdoDataTypeToString(FdoDataType type) {
    const wchar_t* name = FdoCommonEnumNames::DataType(type);
    return name ? name : L"Unknown FdoDataType";
}

bool c_FDO_Api::FdoStringToDataType(const wchar_t* name, FdoDataType& type) {
    return FdoCommonEnumNames::ParseDataType(name, type);
}

const wchar_t* c_FDO_Api::FdoGeometryTypeToString(FdoGeometryType type) {
    return type == FdoGeometryType_None ? nullptr : FdoCommonEnumNames::GeometryType(type);
}

bool c_FDO_Api::FdoStringToGeometryType(const wchar_t* name, FdoGeometryType& type) {
    return FdoCommonEnumNames::ParseGeometryType(name, type);
}

const wchar_t* c_FDO_Api::FdoGeometricTypeToString(FdoGeometricType type) { return NameOf(kGeometricTypes, type); }

bool c_FDO_Api::FdoStringToGeometricType(const wchar_t* name, FdoGeometricType& type) {
    return ValueOf(kGeometricTypes, name, type);
}

const wchar_t* c_FDO_Api::FdoLockTypeToString(FdoLockType type) {
    auto i = static_cast<long>(type);
    return i >= 0 && i < static_cast<long>(std::size(kLockTypes)) ? kLockTypes[i] : L"Unknown LockType";
}

const wchar_t* c_FDO_Api::FdoClassTypeToString(FdoClassType type) {
    auto i = static_cast<long>(type);
    return i >= 0 && i < static_cast<long>(std::size(kClassTypes)) ? kClassTypes[i] : L"Unknown FdoClassType";
}

FdoStringP c_FDO_Api::FdoGeometricTypesToString(int mask) {
    std::wstring text;
    for (const auto& entry : kGeometricTypes) {
        if (!(mask & entry.value)) continue;
        if (!text.empty()) text += L'+';
        text += entry.name;
    }
    return FdoStringP(text.c_str());
}

bool c_FDO_Api::FdoStringToGeometricTypes(const wchar_t* text, int& mask) {
    mask = 0;
    for (const auto& piece : SplitDroppingEmpty(text, L'+')) {
        FdoGeometricType type;
        if (!ValueOf(kGeometricTypes, piece.c_str(), type)) return false;
        mask |= type;
    }
    return true;
}

FdoStringP c_FDO_Api::FdoGeometryTypesToString(FdoGeometryType* types, int count) {
    std::wstring text;
    for (int i = 0; types && i < count; i++) {
        if (i > 0) text += L',';
        const wchar_t* name = FdoGeometryTypeToString(types[i]);
        text += name ? name : kUnnamedGeometryType;
    }
    return FdoStringP(text.c_str());
}

bool c_FDO_Api::FdoStringToGeometryTypes(const wchar_t* text, FdoGeometryType*& types, int& count) {
    types = g_GeometryTypeBuffer;
    count = 0;
    for (const auto& piece : SplitDroppingEmpty(text, L',')) {
        if (count >= kGeometryTypeBufferSize) break;
        FdoGeometryType type;
        if (!FdoCommonEnumNames::ParseGeometryType(piece.c_str(), type)) return false;
        g_GeometryTypeBuffer[count++] = type;
    }
    return true;
}
