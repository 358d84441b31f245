// FdoIBaseSelect: what plain and aggregate selects share: the select list and
// the ordering. One ordering option applies to every ordering property.
#pragma once

#include <Fdo/Commands/IFeatureCommand.h>
#include <Fdo/Common/Enums.h>

class FDO_API FdoIBaseSelect : public FdoIFeatureCommand {
public:
    // The properties to return, empty for all; computed identifiers allowed.
    // New reference to the command's own collection: edit it in place.
    virtual FdoIdentifierCollection* GetPropertyNames() = 0;
    // The properties to sort by, in order; new reference, edit in place.
    virtual FdoIdentifierCollection* GetOrdering() = 0;
    virtual void SetOrderingOption(FdoOrderingOption option) = 0;
    virtual FdoOrderingOption GetOrderingOption() = 0;
};
