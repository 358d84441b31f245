// FdoISelectAggregates: a select whose list holds aggregate functions or
// distinct values, optionally grouped.
#pragma once

#include <Fdo/Commands/Feature/IBaseSelect.h>
#include <Fdo/Commands/Feature/IDataReader.h>

class FDO_API FdoISelectAggregates : public FdoIBaseSelect {
public:
    // New reference.
    virtual FdoIDataReader* Execute() = 0;
    virtual void SetDistinct(bool value) = 0;
    virtual bool GetDistinct() = 0;
    // The grouping properties; new reference, edit in place.
    virtual FdoIdentifierCollection* GetGrouping() = 0;
    virtual void SetGroupingFilter(FdoFilter* filter) = 0;
    // New reference, or null.
    virtual FdoFilter* GetGroupingFilter() = 0;
};
