// Helpers shared by the provider tests: connections through the registry,
// the real shape files, and direct OGR access for reference values.
#pragma once

#include <Fdo.h>
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrHandles.h>

#include <gdal.h>
#include <ogr_api.h>
#include <gtest/gtest.h>

#include "TestData.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace shptest {

namespace fs = std::filesystem;

inline std::string ReadText(const fs::path& file) {
    std::string text;
    if (FILE* f = fopen(file.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        fclose(f);
    }
    return text;
}

// Runs body and returns the message of the FdoException it throws ("" if none).
template <class F>
std::string ErrorOf(F&& body) {
    try {
        body();
    } catch (FdoException* e) {
        std::string text = FdoStringP::Utf8FromUnicode(e->ToFullString());
        e->Release();
        return text;
    }
    return "";
}

inline FdoIConnection* Connect(const fs::path& location, bool open = true) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> c = manager->CreateConnection(L"OSGeo.SHP");
    c->SetConnectionString(FdoStringP(L"DefaultFileLocation=\"") + FdoStringP(location.string().c_str()) + L"\"");
    if (open) c->Open();
    return c.Detach();
}

template <class T>
T* Command(FdoIConnection* c, FdoInt32 type) {
    return static_cast<T*>(c->CreateCommand(type));
}

inline FdoIFeatureReader* SelectAll(FdoIConnection* c, FdoString* cls, FdoString* filter = nullptr) {
    FdoPtr<FdoISelect> s = Command<FdoISelect>(c, FdoCommandType_Select);
    s->SetFeatureClassName(cls);
    if (filter) s->SetFilter(filter);
    return s->Execute();
}

inline FdoFeatureClass* DescribeClass(FdoIConnection* c, FdoString* cls) {
    FdoPtr<FdoIDescribeSchema> d = Command<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
    FdoPtr<FdoFeatureSchemaCollection> schemas = d->Execute();
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(L"Default");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoPtr<FdoClassDefinition> def = classes->GetItem(cls);
    return static_cast<FdoFeatureClass*>(def.Detach());
}

// Every real shape file: the reference data (recursively) and the sample cache.
inline std::vector<fs::path> RealShapeFiles() {
    std::vector<fs::path> files;
    auto add = [&](const fs::path& dir, bool recursive) {
        std::error_code ec;
        if (!fs::is_directory(dir, ec)) return;
        if (recursive) {
            for (const auto& e : fs::recursive_directory_iterator(dir))
                if (e.path().extension() == ".shp") files.push_back(e.path());
        } else {
            for (const auto& e : fs::directory_iterator(dir))
                if (e.path().extension() == ".shp") files.push_back(e.path());
        }
    };
    add(geoxfer_test::SharedDataDir() / "shp", true);
    add(geoxfer_test::SampleDataDir() / "spData/shapes", false);
    add(geoxfer_test::SampleDataDir() / "sf/shape", false);
    std::sort(files.begin(), files.end());
    return files;
}

// A copy of one shape file set (and its siblings) in a fresh folder.
inline fs::path CopySet(const fs::path& shp, const fs::path& folder) {
    for (const auto& e : fs::directory_iterator(shp.parent_path()))
        if (e.path().stem() == shp.stem()) fs::copy_file(e.path(), folder / e.path().filename());
    return folder / shp.filename();
}

// GDAL's own reading of a shape file, for reference values.
class OgrFile {
public:
    explicit OgrFile(const fs::path& path) {
        ogrcore::Init();
        m_ds = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
        if (m_ds) m_layer = GDALDatasetGetLayer(m_ds, 0);
    }
    ~OgrFile() {
        if (m_ds) GDALClose(m_ds);
    }
    OgrFile(const OgrFile&) = delete;
    OgrFile& operator=(const OgrFile&) = delete;
    OGRLayerH Layer() const { return m_layer; }
    OGRFeatureDefnH Defn() const { return OGR_L_GetLayerDefn(m_layer); }

private:
    GDALDatasetH m_ds = nullptr;
    OGRLayerH m_layer = nullptr;
};

// Ordinates of a geometry, all of them, in order: X Y [Z] [M] per vertex.
inline void Ordinates(OGRGeometryH g, std::vector<double>& out, bool& hasZ, bool& hasM) {
    if (!g) return;
    int parts = OGR_G_GetGeometryCount(g);
    if (parts > 0) {
        for (int i = 0; i < parts; i++) Ordinates(OGR_G_GetGeometryRef(g, i), out, hasZ, hasM);
        return;
    }
    hasZ = hasZ || OGR_G_Is3D(g);
    hasM = hasM || OGR_G_IsMeasured(g);
    for (int i = 0; i < OGR_G_GetPointCount(g); i++) {
        out.push_back(OGR_G_GetX(g, i));
        out.push_back(OGR_G_GetY(g, i));
        if (OGR_G_Is3D(g)) out.push_back(OGR_G_GetZ(g, i));
        if (OGR_G_IsMeasured(g)) out.push_back(OGR_G_GetM(g, i));
    }
}

// The ordinates of FGF bytes, read back through WKB into OGR.
inline OGRGeometryH OgrFromFgf(const FdoByte* fgf, FdoInt32 count) {
    std::vector<FdoByte> wkb;
    FdoFgfWkb::FgfToWkb(fgf, count, wkb);
    OGRGeometryH g = nullptr;
    OGR_G_CreateFromWkbEx(wkb.data(), nullptr, &g, wkb.size());
    return g;
}

}  // namespace shptest

namespace shptest {

// Compares every feature that reader yields with the features GDAL reads
// from file, in order: identity, every attribute (as the property's FDO
// type), and every ordinate of the geometry. Returns the feature count.
inline long CompareWithOgr(FdoIFeatureReader* reader, const fs::path& file, FdoString* identity = L"FeatId") {
    OgrFile ogr(file);
    EXPECT_NE(ogr.Layer(), nullptr) << file;
    if (!ogr.Layer()) return 0;
    FdoPtr<FdoClassDefinition> cls = reader->GetClassDefinition();
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    OGRFeatureDefnH defn = ogr.Defn();
    long n = 0;
    OGR_L_ResetReading(ogr.Layer());
    for (;;) {
        OGRFeatureH f = OGR_L_GetNextFeature(ogr.Layer());
        bool more = reader->ReadNext();
        EXPECT_EQ(more, f != nullptr) << file << " feature " << n;
        if (!f || !more) {
            if (f) OGR_F_Destroy(f);
            break;
        }
        n++;
        EXPECT_EQ(reader->GetInt32(identity), OGR_F_GetFID(f) + 1) << file;
        for (int i = 0; i < OGR_FD_GetFieldCount(defn); i++) {
            FdoStringP name(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, i)));
            FdoPtr<FdoPropertyDefinition> pd = props->FindItem(name);
            if (!pd) {
                ADD_FAILURE() << file << ": no property for field " << OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, i));
                continue;
            }
            auto* dp = static_cast<FdoDataPropertyDefinition*>(pd.p);
            bool ogrNull = !OGR_F_IsFieldSetAndNotNull(f, i);
            std::string where = file.filename().string() + " FID " + std::to_string(OGR_F_GetFID(f)) + " " +
                                OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, i));
            if (dp->GetDataType() == FdoDataType_Boolean) {
                const char* t = ogrNull ? "?" : OGR_F_GetFieldAsString(f, i);
                bool isTrue = strchr("YyTt", t[0]) && t[0], isFalse = strchr("NnFf", t[0]) && t[0];
                EXPECT_EQ(reader->IsNull(name), !isTrue && !isFalse) << where;
                if (isTrue || isFalse) {
                    EXPECT_EQ(reader->GetBoolean(name), isTrue) << where;
                }
                continue;
            }
            EXPECT_EQ(reader->IsNull(name), ogrNull) << where;
            if (ogrNull) continue;
            switch (dp->GetDataType()) {
                case FdoDataType_String:
                    EXPECT_EQ(FdoStringP::Utf8FromUnicode(reader->GetString(name)), OGR_F_GetFieldAsString(f, i)) << where;
                    break;
                case FdoDataType_Int16: EXPECT_EQ(reader->GetInt16(name), OGR_F_GetFieldAsInteger64(f, i)) << where; break;
                case FdoDataType_Int32: EXPECT_EQ(reader->GetInt32(name), OGR_F_GetFieldAsInteger64(f, i)) << where; break;
                case FdoDataType_Int64:
                    EXPECT_EQ(reader->GetInt64(name), static_cast<FdoInt64>(OGR_F_GetFieldAsDouble(f, i))) << where;
                    break;
                case FdoDataType_Decimal:
                case FdoDataType_Double: EXPECT_EQ(reader->GetDouble(name), OGR_F_GetFieldAsDouble(f, i)) << where; break;
                case FdoDataType_DateTime: {
                    int y, m, d, h, mi, tz;
                    float s;
                    OGR_F_GetFieldAsDateTimeEx(f, i, &y, &m, &d, &h, &mi, &s, &tz);
                    FdoDateTime dt = reader->GetDateTime(name);
                    EXPECT_EQ(dt.year, y) << where;
                    EXPECT_EQ(dt.month, m) << where;
                    EXPECT_EQ(dt.day, d) << where;
                    break;
                }
                default: ADD_FAILURE() << where << ": unexpected type " << dp->GetDataType();
            }
        }
        FdoPtr<FdoGeometricPropertyDefinition> gp =
            cls->GetClassType() == FdoClassType_FeatureClass ? static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty()
                                                             : nullptr;
        OGRGeometryH expected = OGR_F_GetGeometryRef(f);
        if (gp) {
            EXPECT_EQ(reader->IsNull(gp->GetName()), expected == nullptr) << file << " FID " << OGR_F_GetFID(f);
            if (expected && !reader->IsNull(gp->GetName())) {
                FdoInt32 count = 0;
                const FdoByte* fgf = reader->GetGeometry(gp->GetName(), &count);
                OGRGeometryH got = OgrFromFgf(fgf, count);
                EXPECT_NE(got, nullptr);
                std::vector<double> a, b;
                bool az = false, am = false, bz = false, bm = false;
                Ordinates(expected, a, az, am);
                Ordinates(got, b, bz, bm);
                EXPECT_EQ(az, bz) << file << " FID " << OGR_F_GetFID(f) << " Z";
                EXPECT_EQ(am, bm) << file << " FID " << OGR_F_GetFID(f) << " M";
                EXPECT_EQ(a, b) << file << " FID " << OGR_F_GetFID(f);
                EXPECT_EQ(OGR_G_GetGeometryCount(expected), OGR_G_GetGeometryCount(got));
                if (got) OGR_G_DestroyGeometry(got);
            }
        } else {
            EXPECT_EQ(expected, nullptr) << file;
        }
        OGR_F_Destroy(f);
    }
    return n;
}

}  // namespace shptest
