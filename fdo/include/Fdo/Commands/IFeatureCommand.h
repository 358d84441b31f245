// FdoIFeatureCommand: a command that works on the features of one class,
// optionally restricted by a filter.
//
// SetFilter has a pointer and a text overload, so a literal null must be
// cast: SetFilter((FdoFilter*)nullptr) removes the filter. The text overload
// parses at once, so a syntax error is thrown by SetFilter, not by Execute.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Expression/Identifier.h>

class FdoFilter;

class FDO_API FdoIFeatureCommand : public FdoICommand {
public:
    // New reference, or null when not set.
    virtual FdoIdentifier* GetFeatureClassName() = 0;
    virtual void SetFeatureClassName(FdoIdentifier* value) = 0;
    virtual void SetFeatureClassName(FdoString* value) = 0;
    // New reference, or null when there is none.
    virtual FdoFilter* GetFilter() = 0;
    virtual void SetFilter(FdoFilter* value) = 0;
    virtual void SetFilter(FdoString* filterText) = 0;
};
