// CheckFile: reads every structure of an SDF 3 file the way a full copy
// would (catalogue, schema, every record of every class with every value
// decoded by its type, every spatial index walked), and throws at the
// first thing that is wrong. The corruption tests and the fuzz target
// run it; it also serves anyone who wants to know whether a file reads.
#pragma once

#include "Sdf3File.h"

namespace sdf3 {

// The number of feature records read; throws FdoException naming the file.
size_t CheckFile(Sdf3File& file);

}  // namespace sdf3
