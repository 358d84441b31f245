#include "SourceTestSupport.h"

#include "DesktopTestSupport.h"

#include <ogrsf_frmts.h>

#include <QCoreApplication>
#include <QFile>

#include <memory>

namespace source_test {

SourceWindow::SourceWindow(const QString& listFolder, const QString& provider, const QString& connString) {
    // A list of its own: what an earlier window stored is not offered.
    QFile::remove(listFolder + "/geoxferconn.txt");
    qputenv("GEOXFER_CONN_LIST", (listFolder + "/geoxferconn.txt").toUtf8());
    m_app.Prepare(QCoreApplication::applicationFilePath());
    m_app.ConnList().Add({"src", provider, connString});
    m_app.ConnList().SetCurrentByName("src");
    m_window = std::make_unique<CMaprailDlg>(m_app);
    m_window->resize(1000, 700);
    m_window->show();
}

QList<OgrField> OgrFields(const QString& path, const QString& layer) {
    QList<OgrField> fields;
    desktop_test::GdalDataset ds = desktop_test::OpenGdal(path);
    OGRLayer* l = ds ? ds->GetLayerByName(layer.toUtf8().constData()) : nullptr;
    if (!l) return fields;
    OGRFeatureDefn* defn = l->GetLayerDefn();
    for (int i = 0; i < defn->GetFieldCount(); i++) {
        OGRFieldDefn* f = defn->GetFieldDefn(i);
        fields.append({QString::fromUtf8(f->GetNameRef()), QString::fromUtf8(OGRFieldDefn::GetFieldTypeName(f->GetType())),
                       f->GetPrecision()});
    }
    return fields;
}

QStringList OgrFeatureLayers(const QString& path) {
    QStringList layers;
    desktop_test::GdalDataset ds = desktop_test::OpenGdal(path);
    for (int i = 0; ds && i < ds->GetLayerCount(); i++) {
        const QString name = QString::fromUtf8(ds->GetLayer(i)->GetName());
        if (!name.startsWith("sdf_")) layers << name;
    }
    return layers;
}

bool OgrSrsAmong(const QString& path, const QString& layer, const QStringList& wkts) {
    desktop_test::GdalDataset ds = desktop_test::OpenGdal(path);
    OGRLayer* l = ds ? ds->GetLayerByName(layer.toUtf8().constData()) : nullptr;
    const OGRSpatialReference* srs = l ? l->GetSpatialRef() : nullptr;
    // A GeoPackage layer without a coordinate system reports GDAL's
    // "Undefined Cartesian SRS", a local one.
    if (!srs || srs->IsLocal()) return true;
    for (const QString& wkt : wkts) {
        OGRSpatialReference other;
        if (other.importFromWkt(wkt.toUtf8().constData()) != OGRERR_NONE) continue;
        const char* options[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", "CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS", nullptr};
        if (srs->IsSame(&other, options)) return true;
    }
    return false;
}

QStringList OgrValues(const QString& path, const QString& layer, const QString& field, const QString& filter,
                      const QString& orderBy) {
    QStringList values;
    desktop_test::GdalDataset ds = desktop_test::OpenGdal(path);
    OGRLayer* l = ds ? ds->GetLayerByName(layer.toUtf8().constData()) : nullptr;
    if (!l) return values;
    OGRLayer* result = nullptr;
    if (orderBy.isEmpty()) {
        l->SetAttributeFilter(filter.isEmpty() ? nullptr : filter.toUtf8().constData());
    } else {
        // GDAL's own SQL orders the rows the pane is compared with.
        QString sql = "SELECT * FROM \"" + layer + "\"";
        if (!filter.isEmpty()) sql += " WHERE " + filter;
        sql += " ORDER BY " + orderBy;
        result = ds->ExecuteSQL(sql.toUtf8().constData(), nullptr, "OGRSQL");
        if (!result) return values;
        l = result;
    }
    l->ResetReading();
    const int index = l->GetLayerDefn()->GetFieldIndex(field.toUtf8().constData());
    while (OGRFeature* f = l->GetNextFeature()) {
        values << QString::fromUtf8(f->GetFieldAsString(index));
        OGRFeature::DestroyFeature(f);
    }
    if (result) ds->ReleaseResultSet(result);
    return values;
}

QStringList FdoTypesForOgr(const OgrField& field) {
    const QString& ogrType = field.type;
    if (ogrType == "Real" && field.precision == 0) return {"Double", "Decimal", "Int64", "Int32"};
    if (ogrType == "Integer") return {"Int32", "Int16", "Byte", "Boolean", "Decimal"};
    if (ogrType == "Integer64") return {"Int64", "Int32", "Decimal"};
    if (ogrType == "Real") return {"Double", "Decimal", "Single"};
    if (ogrType == "String") return {"String"};
    if (ogrType == "Date" || ogrType == "DateTime" || ogrType == "Time") return {"DateTime"};
    if (ogrType == "Binary") return {"BLOB"};
    return {};
}

QStringList Column(const QList<QStringList>& rows, int column) {
    QStringList cells;
    for (const QStringList& row : rows) cells << row.value(column);
    return cells;
}

}  // namespace source_test
