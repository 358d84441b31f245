// What the layer and the engine share for their Xerces-C work.
//
// Xerces must be initialised before any parse or write; FdoXmlPlatform does
// it once per process and turns a failure into an FdoXmlException carrying
// Xerces' own message. FdoXmlText converts between FdoString (UTF-32) and
// Xerces' XMLCh (UTF-16) so no caller writes its own conversion.
#pragma once

#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

#include <string>

#include <xercesc/util/XercesDefs.hpp>

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
    static FdoStringP FromXml(const XMLCh* text);
    static const XMLCh* Cast(const std::u16string& s) { return reinterpret_cast<const XMLCh*>(s.c_str()); }
};

// Shorthand for a temporary XMLCh* from a wide literal or FdoString*.
#define FDO_X(text) FdoXmlText::Cast(FdoXmlText::ToXml(text))
