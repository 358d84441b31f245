// Spatial and distance conditions, decided with GEOS through its reentrant
// C API. One GEOS context serves one evaluator; the literal geometry of each
// condition is read and prepared once, and each row's geometry goes FGF ->
// WKB -> GEOS through buffers that are reused.
#pragma once

#define GEOS_USE_ONLY_R_API
#include <geos_c.h>

#include "filter/eval/EvalNodes.h"

#include <string>

namespace FdoFilterEval {

class GeosContext {
public:
    GeosContext();
    ~GeosContext();
    GeosContext(const GeosContext&) = delete;
    GeosContext& operator=(const GeosContext&) = delete;

    GEOSContextHandle_t Handle() const { return m_handle; }
    // A new GEOS geometry (the caller destroys it) from FGF bytes; bad
    // bytes throw FdoFilterException naming what they belong to.
    GEOSGeometry* Read(const FdoByte* fgf, FdoInt32 count, const std::wstring& what);
    // Throws FdoFilterException with GEOS's last message.
    [[noreturn]] void Fail(const std::wstring& what);

private:
    static void OnError(const char* message, void* self);

    GEOSContextHandle_t m_handle;
    GEOSWKBReader* m_reader;
    std::vector<FdoByte> m_wkb;
    std::string m_message;
};

// literal: the FGF of the condition's geometry. text names the condition in
// messages.
FilterPtr MakeSpatial(GeosContext& geos, ExprPtr property, FdoSpatialOperations op, FdoByteArray* literal,
                      std::wstring text);
FilterPtr MakeDistance(GeosContext& geos, ExprPtr property, FdoDistanceOperations op, FdoByteArray* literal,
                       double distance, std::wstring text);

}  // namespace FdoFilterEval
