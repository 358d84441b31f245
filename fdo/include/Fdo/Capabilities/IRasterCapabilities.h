// FdoIRasterCapabilities: raster support. No provider of this system stores
// rasters; the interface exists so a connection can say so.
#pragma once

#include <Fdo/Common/IDisposable.h>

class FDO_API FdoIRasterCapabilities : public FdoIDisposable {
public:
    virtual bool SupportsRaster() = 0;
    virtual bool SupportsStitching() = 0;
    virtual bool SupportsSubsampling() = 0;
};
