// SDF files keep DateTime values as the ISO 8601 text that the SQLite-based
// stores share (common/DateTimeText.h); the SDF code knows it by this name.
#pragma once

#include <common/DateTimeText.h>

namespace sdf {

using SdfDateTimeText = providercommon::DateTimeText;

}  // namespace sdf
