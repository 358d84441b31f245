// Ordering for providers whose stores cannot order a select themselves: the
// selected rows are read once into memory, sorted by the ordering
// properties (nulls first, ties kept in the store's order) and handed out
// as a feature reader. Memory grows with the rows selected, so a select
// that orders should also filter; the unordered path still streams.
#pragma once

#include <Fdo.h>

class FDO_API FdoCommonOrderedReader {
public:
    // Reads inner to its end and closes it. The ordering names data
    // properties of the reader's class; an unknown or geometric one is an
    // FdoCommandException naming it.
    static FdoIFeatureReader* Create(FdoIFeatureReader* inner, FdoIdentifierCollection* ordering,
                                     FdoOrderingOption option);
};
