// Helpers shared by the geometry tests: byte builders for hand-made FGF and
// WKB, and a check that a call fails with an FdoException whose message
// holds a given text.
#pragma once

#include <Fdo.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace geomtest {

using Bytes = std::vector<FdoByte>;

inline FdoPtr<FdoFgfGeometryFactory> Factory() { return FdoFgfGeometryFactory::GetInstance(); }

// Appends little-endian values; chain: B().I(1).D(2.0).
struct B {
    Bytes bytes;
    B& I(FdoInt32 v) {
        FdoByte b[4];
        std::memcpy(b, &v, 4);
        bytes.insert(bytes.end(), b, b + 4);
        return *this;
    }
    B& D(double v) {
        FdoByte b[8];
        std::memcpy(b, &v, 8);
        bytes.insert(bytes.end(), b, b + 8);
        return *this;
    }
    B& Byte(FdoByte v) {
        bytes.push_back(v);
        return *this;
    }
    B& Hex(const char* hex) {
        for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) bytes.push_back(static_cast<FdoByte>(std::stoi(std::string(hex + i, 2), nullptr, 16)));
        return *this;
    }
    operator Bytes() const { return bytes; }
};

inline std::string ToHex(const Bytes& b) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (FdoByte c : b) {
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

inline Bytes FgfOf(FdoString* text) {
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(text);
    FdoPtr<FdoByteArray> a = Factory()->GetFgf(g);
    return Bytes(a->GetData(), a->GetData() + a->GetCount());
}

inline std::wstring TextOfFgf(const Bytes& fgf) {
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometryFromFgf(fgf.data(), static_cast<FdoInt32>(fgf.size()));
    return g->GetText();
}

inline std::wstring TextOfWkb(const Bytes& wkb) {
    FdoPtr<FdoByteArray> a = FdoByteArray::Create(wkb.data(), static_cast<FdoInt32>(wkb.size()));
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometryFromWkb(a);
    return g->GetText();
}

// The message of the FdoException fn throws, or "" with a test failure.
inline std::wstring FailureOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (FdoException* e) {
        std::wstring m = e->GetExceptionMessage();
        e->Release();
        return m;
    }
    ADD_FAILURE() << "no FdoException was thrown";
    return L"";
}

inline std::string Narrow(const std::wstring& w) { return FdoStringP::Utf8FromUnicode(w.c_str()); }

inline bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// Geometry text for every kind and dimensionality, written as GetText writes it.
inline const std::vector<std::wstring>& Samples() {
    static const std::vector<std::wstring> samples = {
        L"POINT (1 2)",
        L"POINT XYZ (1 2 3)",
        L"POINT XYM (1 2 4)",
        L"POINT XYZM (1 2 3 4)",
        L"LINESTRING (0 0, 1 1, 2 0.5)",
        L"LINESTRING XYZM (0 0 1 2, 1 1 3 4)",
        L"POLYGON ((0 0, 1 0, 1 1, 0 0))",
        L"POLYGON XYZ ((0 0 1, 10 0 2, 10 10 3, 0 0 1), (2 2 0, 3 2 0, 3 3 0, 2 2 0))",
        L"MULTIPOINT XYZ (1 2 3, 4 5 6)",
        L"MULTIPOINT (1 2)",
        L"MULTILINESTRING XYM ((0 0 1, 1 1 2), (5 5 3, 6 6 4))",
        L"MULTIPOLYGON (((0 0, 1 0, 1 1, 0 0)), ((5 5, 6 5, 6 6, 5 5)))",
        L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (3 0, 3 2)))",
        L"CURVESTRING XYZ (0 0 1 (LINESTRINGSEGMENT (1 1 1)))",
        L"CURVEPOLYGON ((0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (0 0))), "
        L"(0.5 0.2 (LINESTRINGSEGMENT (1 0.2, 1 0.4, 0.5 0.2))))",
        L"MULTICURVESTRING XYZM ((0 0 1 2 (CIRCULARARCSEGMENT (1 1 1 2, 2 0 1 2))), "
        L"(5 5 0 0 (LINESTRINGSEGMENT (6 6 0 0))))",
        L"MULTICURVEPOLYGON (((0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (0 0)))), "
        L"((10 10 (LINESTRINGSEGMENT (11 10, 11 11, 10 10)))))",
        L"GEOMETRYCOLLECTION (POINT (1 2), LINESTRING (0 0, 1 1))",
        L"GEOMETRYCOLLECTION (POINT XYZ (1 2 3), GEOMETRYCOLLECTION (MULTIPOINT (1 1, 2 2)), "
        L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0))))",
    };
    return samples;
}

}  // namespace geomtest
