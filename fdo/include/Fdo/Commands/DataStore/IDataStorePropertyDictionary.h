// FdoIDataStorePropertyDictionary: the settings that create or destroy a data
// store (for a file store, the file). Same contract as connection properties,
// without a connection string.
#pragma once

#include <Fdo/Connections/IPropertyDictionary.h>

class FDO_API FdoIDataStorePropertyDictionary : public FdoIPropertyDictionary {};
