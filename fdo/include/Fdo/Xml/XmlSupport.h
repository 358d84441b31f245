// What the layer and the engine share for their Xerces-C work.
//
// Xerces must be initialised before any parse or write; FdoXmlPlatform does
// it once per process and turns a failure into an FdoXmlException carrying
// Xerces' own message. FdoXmlText converts between FdoString (UTF-32) and
// Xerces' XMLCh (UTF-16) so no caller writes its own conversion.
//
// No Xerces header is included here: XMLCh is char16_t (XmlSupport.cpp
// checks it), so this header is usable without Xerces on the include path.
// It is not part of <Fdo.h>; only code that works with Xerces includes it.
#pragma once

#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

#include <string>

class FDO_API FdoXmlPlatform {
public:
    // Safe to call any number of times; throws FdoXmlException on failure.
    static void Initialize();
};

class FDO_API FdoXmlText {
public:
    // UTF-16 text for Xerces; keep the returned string alive while Xerces
    // reads it (use .c_str()).
    static std::u16string ToXml(FdoString* text);
    // Wide text from Xerces text; null gives the empty string.
    static FdoStringP FromXml(const char16_t* text);
    static const char16_t* Cast(const std::u16string& s) { return s.c_str(); }
};

// Shorthand for a temporary XMLCh* (char16_t*) from a wide literal or FdoString*.
#define FDO_X(text) FdoXmlText::Cast(FdoXmlText::ToXml(text))
