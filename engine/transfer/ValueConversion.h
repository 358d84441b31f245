// The engine's value conversion read by position: the same fixed matrix as
// c_FDO_Api::ReaderGetDataPropertyValue, for callers that have bound each
// property to its reader index once. Internal to the engine.
#pragma once

#include <Fdo.h>

namespace gxf {

// The value at index converted from sourceType to destinationType (new
// reference); null when the pair gives no value. Throws FdoException as
// the by-name conversion does.
FdoDataValue* ReadDataValueAt(FdoIReader* reader, FdoInt32 index, FdoDataType sourceType,
                              FdoDataType destinationType);

}  // namespace gxf
