// Spatial contexts carried from a source data store to a destination.
//
// Contexts travel through c_FdoSpatialContext records so that a caller can
// also build them by hand. The maker's Oracle and Informix providers want a
// coordinate system name made from the SRID rather than the source's name.
// Creating contexts is best effort for the schema operations above: a
// failure here is reported through the last error text, never thrown, and a
// context the destination refuses does not keep the others out.
#include "transfer/StoreAccess.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/FdoSpatialContext.h>
#include <GeoxferApi/LastError.h>

#include <Fdo.h>

namespace {

// Everything between the outermost quotation marks of the default, inner
// quotation marks included.
constexpr const wchar_t* kDefaultCoordinateSystem =
    L"LOCAL_CS[\"*XY-MT*\",LOCAL_DATUM[\"*X-Y*\",10000],UNIT[\"Meter\", 1],AXIS[\"X\",EAST],AXIS[\"Y\",NORTH]]";

constexpr double kDefaultHalfExtent = 10000000.0;

constexpr const wchar_t* kNoCreateSpatialContext = L"Provider doesn't support create Spatial Context command";

// The name the destination gets for the coordinate system of a record.
FdoStringP DestinationCoordinateSystem(FdoIConnection* destination, c_FdoSpatialContext* context, long srid) {
    if (srid > 0 && c_FDO_Api::IsNorvOracleProvider(destination)) return FdoStringP::Format(L"OracleSrid%ld", srid);
    if (srid > 0 && c_FDO_Api::IsNorvInformixProvider(destination))
        return FdoStringP::Format(L"InformixSpatialSrid%ld", srid);
    return FdoStringP(context->GetCoordinateSystem());
}

FdoISpatialContextReader* ReadAllSpatialContexts(FdoIConnection* connection) {
    FdoPtr<FdoIGetSpatialContexts> get =
        static_cast<FdoIGetSpatialContexts*>(connection->CreateCommand(FdoCommandType_GetSpatialContexts));
    if (!get) return nullptr;
    get->SetActiveOnly(false);
    return get->Execute();
}

void CreateOne(FdoIConnection* destination, c_FdoSpatialContext* context, long srid) {
    FdoPtr<FdoICreateSpatialContext> create =
        static_cast<FdoICreateSpatialContext*>(destination->CreateCommand(FdoCommandType_CreateSpatialContext));
    if (!create) return;
    FdoStringP coordinateSystem = DestinationCoordinateSystem(destination, context, srid);
    create->SetCoordinateSystem(coordinateSystem);
    create->SetName(context->GetName());
    create->SetDescription(context->GetDescription());
    create->SetCoordinateSystemWkt(context->GetCoordinateSystemWkt());
    create->SetExtentType(context->GetExtentType());
    create->SetXYTolerance(context->GetXYTolerance());
    create->SetZTolerance(context->GetZTolerance());
    create->Execute();
}

}  // namespace

c_FdoSpatialContext::c_FdoSpatialContext()
    : m_Name(L"Default"),
      m_CoordinateSystem(kDefaultCoordinateSystem),
      m_CoordinateSystemWkt(kDefaultCoordinateSystem),
      m_ExtentType(FdoSpatialContextExtentType_Static),
      m_Extent(FdoEnvelopeImpl::Create()),
      m_IsActive(true),
      m_XYTolerance(0.001),
      m_ZTolerance(0.001) {}

c_FdoSpatialContext::~c_FdoSpatialContext() = default;

const wchar_t* c_FdoSpatialContext::GetName() { return m_Name; }
void c_FdoSpatialContext::SetName(const wchar_t* name) { m_Name = name; }
const wchar_t* c_FdoSpatialContext::GetDescription() { return m_Description; }
void c_FdoSpatialContext::SetDescription(const wchar_t* description) { m_Description = description; }
const wchar_t* c_FdoSpatialContext::GetCoordinateSystem() { return m_CoordinateSystem; }
void c_FdoSpatialContext::SetCoordinateSystem(const wchar_t* cs) { m_CoordinateSystem = cs; }
const wchar_t* c_FdoSpatialContext::GetCoordinateSystemWkt() { return m_CoordinateSystemWkt; }
void c_FdoSpatialContext::SetCoordinateSystemWkt(const wchar_t* wkt) { m_CoordinateSystemWkt = wkt; }
FdoSpatialContextExtentType c_FdoSpatialContext::GetExtentType() { return m_ExtentType; }
void c_FdoSpatialContext::SetExtentType(FdoSpatialContextExtentType type) { m_ExtentType = type; }

FdoByteArray* c_FdoSpatialContext::GetExtent() {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoEnvelopeImpl> envelope =
        m_Extent->GetIsEmpty()
            ? FdoEnvelopeImpl::Create(-kDefaultHalfExtent, -kDefaultHalfExtent, kDefaultHalfExtent, kDefaultHalfExtent)
            : FdoEnvelopeImpl::Create(m_Extent.p);
    FdoPtr<FdoIGeometry> polygon = factory->CreateGeometry(envelope.p);
    return factory->GetFgf(polygon);
}

FdoIEnvelope* c_FdoSpatialContext::GetEnvelope() { return FDO_SAFE_ADDREF(m_Extent.p); }

void c_FdoSpatialContext::ExpandExtent(FdoIEnvelope* envelope) {
    if (envelope) m_Extent->Expand(envelope);
}

double c_FdoSpatialContext::GetXYTolerance() { return m_XYTolerance; }
void c_FdoSpatialContext::SetXYTolerance(double tolerance) { m_XYTolerance = tolerance; }
double c_FdoSpatialContext::GetZTolerance() { return m_ZTolerance; }
void c_FdoSpatialContext::SetZTolerance(double tolerance) { m_ZTolerance = tolerance; }
bool c_FdoSpatialContext::CanSetName() { return true; }
bool c_FdoSpatialContext::IsActive() { return m_IsActive; }

int c_FDO_Api::CreateSpatialContextFromFdoSource(FdoIConnection* source, FdoIConnection* destination,
                                                 const wchar_t* contextNames, long srid) {
    try {
        gxf::RequireConnection(source, L"CreateSpatialContextFromFdoSource");
        gxf::RequireConnection(destination, L"CreateSpatialContextFromFdoSource");
        if (!GetSupportCommand(destination, FdoCommandType_CreateSpatialContext)) {
            return gxf::Fail(GXF_Result_NoCreateSpatialContext, kNoCreateSpatialContext);
        }
        FdoPtr<FdoStringCollection> wanted =
            contextNames ? FdoStringCollection::Create(FdoStringP(contextNames), L",") : FdoStringCollection::Create();

        FdoPtr<c_FdoSpatialContextCollection> contexts = c_FdoSpatialContextCollection::Create();
        FdoPtr<FdoISpatialContextReader> reader = ReadAllSpatialContexts(source);
        while (reader && reader->ReadNext()) {
            FdoStringP name = reader->GetName();
            if (wanted->GetCount() > 0 && wanted->IndexOf(name, false) < 0) continue;
            FdoPtr<c_FdoSpatialContext> context = c_FdoSpatialContext::Create();
            context->SetName(name);
            context->SetDescription(reader->GetDescription());
            context->SetCoordinateSystem(reader->GetCoordinateSystem());
            context->SetCoordinateSystemWkt(reader->GetCoordinateSystemWkt());
            context->SetExtentType(reader->GetExtentType());
            context->SetXYTolerance(reader->GetXYTolerance());
            context->SetZTolerance(reader->GetZTolerance());
            // A source listing one name twice would make the named
            // collection throw; the first one read is the one copied.
            if (!contexts->Contains(context->GetName())) contexts->Add(context);
        }
        reader = nullptr;

        // Best effort: a failed creation leaves its text as the last error.
        CreateSpatialContextCollection(destination, contexts, srid);
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::CreateSpatialContextCollection(FdoIConnection* destination, c_FdoSpatialContextCollection* contexts,
                                              long srid) {
    try {
        gxf::RequireConnection(destination, L"CreateSpatialContextCollection");
        if (!GetSupportCommand(destination, FdoCommandType_CreateSpatialContext))
            return gxf::Fail(GXF_Result_NoCreateSpatialContext, kNoCreateSpatialContext);
        // A context the destination refuses (most often one it holds
        // already, like the Default context of every new SDF file) must not
        // keep the ones after it out: the schema that follows needs them.
        // The first refusal is still the result.
        FdoStringP firstFailure;
        bool failed = false;
        for (FdoInt32 i = 0; contexts && i < contexts->GetCount(); i++) {
            FdoPtr<c_FdoSpatialContext> context = contexts->GetItem(i);
            try {
                CreateOne(destination, context, srid);
            } catch (FdoException* e) {
                if (!failed) firstFailure = e->GetExceptionMessage();
                failed = true;
                e->Release();
            }
        }
        if (failed) return gxf::Fail(GXF_Result_FdoException, firstFailure);
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

bool c_FDO_Api::FindSpatialContextData(FdoIConnection* connection, const wchar_t* name,
                                       FdoStringP& coordinateSystem, FdoStringP& coordinateSystemWkt) {
    gxf::RequireConnection(connection, L"FindSpatialContextData");
    if (!GetSupportCommand(connection, FdoCommandType_GetSpatialContexts)) return false;
    FdoPtr<FdoISpatialContextReader> reader = ReadAllSpatialContexts(connection);
    FdoStringP wanted(name);
    while (reader && reader->ReadNext()) {
        if (FdoStringP(reader->GetName()).ICompare(wanted) != 0) continue;
        coordinateSystem = reader->GetCoordinateSystem();
        coordinateSystemWkt = reader->GetCoordinateSystemWkt();
        return true;
    }
    return false;
}
