// FdoIConnectionCapabilities: what a connection as a whole offers (threading,
// transactions, locking, SQL, writing). Arrays are borrowed.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/IDisposable.h>

// Join kinds, combined as a mask in GetJoinTypes.
enum FdoJoinType {
    FdoJoinType_None = 0,
    FdoJoinType_Inner = 1,
    FdoJoinType_RightOuter = 2,
    FdoJoinType_LeftOuter = 4,
    FdoJoinType_FullOuter = 8,
    FdoJoinType_Cross = 16,
};

class FDO_API FdoIConnectionCapabilities : public FdoIDisposable {
public:
    virtual FdoThreadCapability GetThreadCapability() = 0;
    virtual FdoSpatialContextExtentType* GetSpatialContextTypes(FdoInt32& length) = 0;
    virtual FdoLockType* GetLockTypes(FdoInt32& size) = 0;
    // A mask of FdoJoinType values.
    virtual FdoInt32 GetJoinTypes() = 0;

    virtual bool SupportsLocking() = 0;
    virtual bool SupportsTimeout() = 0;
    virtual bool SupportsTransactions() = 0;
    virtual bool SupportsSavePoint() = 0;
    virtual bool SupportsLongTransactions() = 0;
    virtual bool SupportsSQL() = 0;
    virtual bool SupportsConfiguration() = 0;
    virtual bool SupportsMultipleSpatialContexts() = 0;
    virtual bool SupportsCSysWKTFromCSysName() = 0;
    virtual bool SupportsWrite() = 0;
    virtual bool SupportsMultiUserWrite() = 0;
    virtual bool SupportsFlush() = 0;
    virtual bool SupportsJoins() = 0;
    virtual bool SupportsSubSelects() = 0;
};
