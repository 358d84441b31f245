#include "DesktopTestSupport.h"

#include <Fdo.h>

#include <ogrsf_frmts.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace desktop_test {

void GdalDatasetCloser::operator()(GDALDataset* ds) const { GDALClose(ds); }

GdalDataset OpenGdal(const QString& path) {
    GDALAllRegister();
    return GdalDataset(static_cast<GDALDataset*>(
        GDALOpenEx(path.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr)));
}

QString SampleData(const QString& relative) {
    QString base = qEnvironmentVariable("GEOXFER_SAMPLE_DATA");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.cache/geoxfer/sample-data");
    return base + '/' + relative;
}

long GdalCount(const QString& path, const QString& layer) {
    GdalDataset ds = OpenGdal(path);
    OGRLayer* l = ds ? ds->GetLayerByName(layer.toUtf8().constData()) : nullptr;
    return l ? static_cast<long>(l->GetFeatureCount(TRUE)) : -1;
}

QStringList GdalLayers(const QString& path) {
    QStringList names;
    GdalDataset ds = OpenGdal(path);
    for (int i = 0; ds && i < ds->GetLayerCount(); i++) names << QString::fromUtf8(ds->GetLayer(i)->GetName());
    return names;
}

QStringList GdalValues(const QString& path, const QString& layer, const QString& field) {
    QStringList values;
    GdalDataset ds = OpenGdal(path);
    OGRLayer* l = ds ? ds->GetLayerByName(layer.toUtf8().constData()) : nullptr;
    if (!l) return values;
    const int index = l->GetLayerDefn()->GetFieldIndex(field.toUtf8().constData());
    if (index < 0) return values;
    l->ResetReading();
    while (OGRFeature* f = l->GetNextFeature()) {
        values << QString::fromUtf8(f->GetFieldAsString(index));
        OGRFeature::DestroyFeature(f);
    }
    std::sort(values.begin(), values.end());
    return values;
}

bool WritePointShapes(const QString& path, long count) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    if (!driver) return false;
    GdalDataset ds(driver->Create(path.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) return false;
    OGRLayer* layer = ds->CreateLayer(QFileInfo(path).completeBaseName().toUtf8().constData(), nullptr, wkbPoint, nullptr);
    if (!layer) return false;
    OGRFieldDefn id("ID", OFTInteger);
    OGRFieldDefn label("LABEL", OFTString);
    label.SetWidth(16);
    if (layer->CreateField(&id) != OGRERR_NONE || layer->CreateField(&label) != OGRERR_NONE) return false;
    for (long i = 0; i < count; i++) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField(0, static_cast<int>(i));
        feature.SetField(1, QByteArray("P").append(QByteArray::number(static_cast<qlonglong>(i))).constData());
        OGRPoint point(static_cast<double>(i % 1000), static_cast<double>(i / 1000));
        feature.SetGeometry(&point);
        if (layer->CreateFeature(&feature) != OGRERR_NONE) return false;
    }
    return true;
}

long FdoCount(const QString& provider, const QString& connString, const QString& className) {
    try {
        FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
        FdoPtr<FdoIConnection> c = manager->CreateConnection(provider.toStdWString().c_str());
        c->SetConnectionString(connString.toStdWString().c_str());
        if (c->Open() != FdoConnectionState_Open) return -1;
        FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(c->CreateCommand(FdoCommandType_Select));
        select->SetFeatureClassName(className.toStdWString().c_str());
        FdoPtr<FdoIFeatureReader> reader = select->Execute();
        long n = 0;
        while (reader->ReadNext()) n++;
        reader->Close();
        c->Close();
        return n;
    } catch (FdoException* e) {
        qWarning("FdoCount: %ls", e->GetExceptionMessage());
        e->Release();
        return -1;
    }
}

QStringList FdoClasses(const QString& provider, const QString& connString) {
    QStringList names;
    try {
        FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
        FdoPtr<FdoIConnection> c = manager->CreateConnection(provider.toStdWString().c_str());
        c->SetConnectionString(connString.toStdWString().c_str());
        if (c->Open() != FdoConnectionState_Open) return names;
        FdoPtr<FdoIDescribeSchema> describe =
            static_cast<FdoIDescribeSchema*>(c->CreateCommand(FdoCommandType_DescribeSchema));
        FdoPtr<FdoFeatureSchemaCollection> schemas = describe->Execute();
        for (FdoInt32 s = 0; s < schemas->GetCount(); s++) {
            FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(s);
            FdoPtr<FdoClassCollection> classes = schema->GetClasses();
            for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
                FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
                names << QString::fromStdWString(cls->GetName());
            }
        }
        c->Close();
    } catch (FdoException* e) {
        qWarning("FdoClasses: %ls", e->GetExceptionMessage());
        e->Release();
    }
    return names;
}

QPushButton* Button(QWidget* parent, const QString& text) {
    for (QPushButton* b : parent->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

void WhenModalOpens(std::function<void(QWidget* modal)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

}  // namespace desktop_test
