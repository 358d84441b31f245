// FdoICreateDataStore: creates a new, empty data store described by its data
// store properties. File providers want the connection closed while it runs.
#pragma once

#include <Fdo/Commands/DataStore/IDataStorePropertyDictionary.h>
#include <Fdo/Commands/ICommand.h>

class FDO_API FdoICreateDataStore : public FdoICommand {
public:
    // New reference to the command's own dictionary; set values in place.
    virtual FdoIDataStorePropertyDictionary* GetDataStoreProperties() = 0;
    virtual void Execute() = 0;
};
