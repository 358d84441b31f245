// The feed that reads and converts on a thread of its own (see RowFeed.h).
// Internal to the engine.
#pragma once

#include "transfer/RowFeed.h"

namespace gxf {

std::unique_ptr<RowFeed> MakeReadAheadFeed(FdoIFeatureReader* reader, RowConversion& conversion);

}  // namespace gxf
