// The value that flows through filter evaluation: a small tagged union, so
// evaluating a row allocates nothing for numbers and borrows strings and
// geometry bytes from the reader or the literal that holds them.
#pragma once

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Ptr.h>

#include <string>
#include <string_view>

namespace FdoFilterEval {

enum class Kind { Null, Boolean, Integer, Real, String, DateTime, Geometry, Bytes };

// Byte, Int16, Int32 and Int64 are Integer; Single, Double and Decimal are Real.
struct Value {
    Kind kind = Kind::Null;
    bool boolean = false;
    FdoInt64 integer = 0;
    double real = 0.0;
    FdoDateTime dateTime;
    // String: borrowed text, or owned when computed.
    std::wstring_view view;
    std::wstring owned;
    bool isOwned = false;
    // Geometry (FGF) or Bytes: borrowed, or kept alive by hold.
    const FdoByte* bytes = nullptr;
    FdoInt32 count = 0;
    FdoPtr<FdoByteArray> hold;

    bool IsNull() const { return kind == Kind::Null; }
    bool IsNumber() const { return kind == Kind::Integer || kind == Kind::Real; }
    double AsReal() const { return kind == Kind::Integer ? static_cast<double>(integer) : real; }
    std::wstring_view Text() const { return isOwned ? std::wstring_view(owned) : view; }

    void SetNull() { kind = Kind::Null; hold = nullptr; }
    void SetBoolean(bool v) { kind = Kind::Boolean; boolean = v; }
    void SetInteger(FdoInt64 v) { kind = Kind::Integer; integer = v; }
    void SetReal(double v) { kind = Kind::Real; real = v; }
    void SetDateTime(const FdoDateTime& v) { kind = Kind::DateTime; dateTime = v; }
    void SetBorrowedText(std::wstring_view v) { kind = Kind::String; view = v; isOwned = false; }
    void SetOwnedText(std::wstring v) { kind = Kind::String; owned = std::move(v); isOwned = true; }
    void SetBytes(Kind k, const FdoByte* b, FdoInt32 n, FdoByteArray* keep) {
        kind = k;
        bytes = b;
        count = n;
        hold = FDO_SAFE_ADDREF(keep);
    }
};

// "String", "number", ... for messages.
FdoString* KindName(Kind kind);

}  // namespace FdoFilterEval
