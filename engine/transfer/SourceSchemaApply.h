// The schema apply from another data store, as the copy task runs it.
//
// GXF_ApplySchemaFromFdoSource succeeds even when the apply of the schema
// fails (the copy that follows reports the missing class); this form also
// hands back why the apply failed, so that the copy's error can carry the
// real cause. Internal to the engine.
#pragma once

#include <Fdo.h>

namespace gxf {

// The arguments and result are those of GXF_ApplySchemaFromFdoSource.
// applyFailure gets the message of a failed apply, and stays empty when the
// apply succeeded (or was never reached).
int ApplySchemaFromSource(const wchar_t* destProvider, const wchar_t* destConnString, const wchar_t* srcProvider,
                          const wchar_t* srcConnString, const wchar_t* classList, bool createSpatialContexts,
                          bool castDataTypes, long srid, FdoStringP& applyFailure);

}  // namespace gxf
