// FdoISelect: reads features of one class. Locking is part of the
// interface; providers without locking report FdoLockType_None.
#pragma once

#include <Fdo/Commands/Feature/IBaseSelect.h>
#include <Fdo/Commands/Feature/IFeatureReader.h>

// How much of a selection must be lockable for a locking select to succeed.
enum FdoLockStrategy {
    FdoLockStrategy_All = 0,
    FdoLockStrategy_Partial = 1,
};

class FDO_API FdoISelect : public FdoIBaseSelect {
public:
    virtual FdoLockType GetLockType() = 0;
    virtual void SetLockType(FdoLockType value) = 0;
    virtual FdoLockStrategy GetLockStrategy() = 0;
    virtual void SetLockStrategy(FdoLockStrategy value) = 0;
    // New reference.
    virtual FdoIFeatureReader* Execute() = 0;
};
