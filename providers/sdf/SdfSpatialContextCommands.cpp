// The spatial context commands and their reader; see
// SdfSpatialContextCommands.h.
#include "SdfSpatialContextCommands.h"

#include "SdfClassLayout.h"
#include <ogrcore/OgrError.h>
#include "SdfMetadataTables.h"

#include <ogrsf_frmts.h>

namespace sdf {

namespace {

struct ContextRow {
    FdoXmlSpatialContext sc;
    FdoPtr<FdoByteArray> extent;
};

FdoByteArray* PolygonOf(double minX, double minY, double maxX, double maxY) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIEnvelope> envelope = factory->CreateEnvelopeXY(minX, minY, maxX, maxY);
    FdoPtr<FdoIGeometry> polygon = factory->CreateGeometry(envelope);
    return factory->GetFgf(polygon);
}

class SdfSpatialContextReader : public FdoISpatialContextReader {
public:
    static SdfSpatialContextReader* Create(std::vector<ContextRow> rows) {
        return new SdfSpatialContextReader(std::move(rows));
    }
    FdoString* GetName() override { return Row().sc.name; }
    FdoString* GetDescription() override { return Row().sc.description; }
    FdoString* GetCoordinateSystem() override { return Row().sc.coordinateSystem; }
    FdoString* GetCoordinateSystemWkt() override { return Row().sc.coordinateSystemWkt; }
    FdoSpatialContextExtentType GetExtentType() override { return Row().sc.extentType; }
    FdoByteArray* GetExtent() override { return FDO_SAFE_ADDREF(Row().extent.p); }
    double GetXYTolerance() override { return Row().sc.xyTolerance; }
    double GetZTolerance() override { return Row().sc.zTolerance; }
    bool IsActive() override { return true; }
    bool ReadNext() override {
        if (m_next >= m_rows.size()) {
            m_current = m_rows.size();
            return false;
        }
        m_current = m_next++;
        return true;
    }

protected:
    explicit SdfSpatialContextReader(std::vector<ContextRow> rows) : m_rows(std::move(rows)) {
        m_current = m_rows.size();
    }
    void Dispose() override { delete this; }

private:
    ContextRow& Row() {
        if (m_current >= m_rows.size())
            throw FdoCommandException::Create(L"The spatial context reader is not on a spatial context.");
        return m_rows[m_current];
    }

    std::vector<ContextRow> m_rows;
    size_t m_next = 0;
    size_t m_current;
};

bool Holds(SdfConnection* connection, const FdoStringP& name) {
    for (auto& sc : connection->SpatialContexts())
        if (sc.name == name) return true;
    return false;
}

// The extent of the data whose geometry is bound to the context.
bool DataExtent(SdfConnection* connection, const FdoStringP& name, bool first, OGREnvelope& extent) {
    FdoPtr<FdoFeatureSchema> schema = connection->GetSchema();
    if (!schema) return false;
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    bool found = false;
    ogrcore::ErrorTrap quiet;
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        if (cls->GetIsAbstract()) continue;
        for (auto& p : SdfClassLayout::AllProperties(cls)) {
            if (p->GetPropertyType() != FdoPropertyType_GeometricProperty) continue;
            FdoStringP sc = static_cast<FdoGeometricPropertyDefinition*>(p.p)->GetSpatialContextAssociation();
            // A geometry naming no context the file holds is bound to the first.
            bool bound = sc == name || (first && !Holds(connection, sc));
            if (!bound) continue;
            OGRLayer* layer = connection->Store().FindLayer(cls->GetName());
            OGREnvelope e;
            if (layer && layer->GetFeatureCount(TRUE) > 0 && layer->GetExtent(&e, TRUE) == OGRERR_NONE) {
                extent.Merge(e);
                found = true;
            }
        }
    }
    return found;
}

}  // namespace

FdoISpatialContextReader* SdfGetSpatialContexts::Execute() {
    std::vector<ContextRow> rows;
    const auto& contexts = m_connection->SpatialContexts();
    for (size_t i = 0; i < contexts.size(); i++) {
        ContextRow row{contexts[i], nullptr};
        OGREnvelope data;
        if (row.sc.extentType == FdoSpatialContextExtentType_Dynamic &&
            DataExtent(m_connection, row.sc.name, i == 0, data))
            row.extent = PolygonOf(data.MinX, data.MinY, data.MaxX, data.MaxY);
        else if (row.sc.hasExtent)
            row.extent = PolygonOf(row.sc.minX, row.sc.minY, row.sc.maxX, row.sc.maxY);
        else
            row.extent = PolygonOf(0, 0, 0, 0);
        rows.push_back(std::move(row));
    }
    return SdfSpatialContextReader::Create(std::move(rows));
}

void SdfCreateSpatialContext::Execute() {
    SdfStore& store = m_connection->Store();
    store.CheckWritable();
    FdoXmlSpatialContext sc = Settings();
    if (sc.name.IsEmpty()) throw FdoCommandException::Create(L"A spatial context needs a name.");
    bool exists = false;
    for (auto& known : m_connection->SpatialContexts()) exists = exists || known.name == sc.name;
    if (exists && !m_updateExisting)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The SDF file '%ls' already has a spatial context named '%ls'.", store.GetFileName(), (FdoString*)sc.name));
    SdfSpatialContextTable::Put(store, sc, exists);
    m_connection->ReloadSpatialContexts();
}

}  // namespace sdf
