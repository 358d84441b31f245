// The names under which the SDF provider registers (FdoSdfProvider_Register,
// declared in BuiltInProviders.h) and which its connection info reports.
#pragma once

#include <Fdo.h>

namespace sdf {

constexpr FdoString* kProviderName = L"OSGeo.SDF.4.2";
constexpr FdoString* kProviderDisplayName = L"OSGeo FDO Provider for SDF";
constexpr FdoString* kProviderDescription =
    L"Read/write access to SDF files: single-file stores that are GeoPackages with the FDO feature "
    L"schema and spatial contexts kept beside the feature tables.";
constexpr FdoString* kProviderVersion = L"4.2.0.0";
constexpr FdoString* kFdoVersion = L"4.2.0.0";

}  // namespace sdf
