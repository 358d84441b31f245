// FdoIDestroyDataStore: deletes a data store described by its data store
// properties.
#pragma once

#include <Fdo/Commands/DataStore/IDataStorePropertyDictionary.h>
#include <Fdo/Commands/ICommand.h>

class FDO_API FdoIDestroyDataStore : public FdoICommand {
public:
    // New reference to the command's own dictionary; set values in place.
    virtual FdoIDataStorePropertyDictionary* GetDataStoreProperties() = 0;
    virtual void Execute() = 0;
};
