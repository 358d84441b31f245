// The encoding of FDO element names as XML names.
//
// FDO names may hold blanks, quotes or a leading digit, which XML names
// cannot. Such characters are written as -x<hex>- (_x<hex>- as the first
// character); '.' and ':' as -dot- and -colon-. A name that already holds
// one of these patterns has its '-' (or leading '_') escaped the same way, so
// Decode(Encode(n)) == n for every name. The schema XML reader and writer use
// this; providers that keep names in XML use it too.
#pragma once

#include <Fdo/Common/StringP.h>

class FDO_API FdoXmlNames {
public:
    static FdoStringP Encode(FdoString* name);
    static FdoStringP Decode(FdoString* xmlName);
};
