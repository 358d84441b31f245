// FdoIConnectionPropertyDictionary: the properties of a connection. Setting
// one changes the connection string, and setting the connection string
// replaces them all.
#pragma once

#include <Fdo/Connections/IPropertyDictionary.h>

class FDO_API FdoIConnectionPropertyDictionary : public FdoIPropertyDictionary {};
