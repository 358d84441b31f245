// Small data sets the end-to-end tests make for themselves with GDAL: shape
// files with chosen geometries, fields and .prj text, so that a test can
// hold exactly the case it is about (two .prj texts of one coordinate
// system, a damaged .dbf) without any reference data.
#pragma once

#include "E2ESupport.h"

namespace e2e {

// One feature: geometry as WKT, then one text per field.
struct MadeFeature {
    std::string wkt;
    std::vector<std::string> values;
};

struct MadeField {
    std::string name;
    OGRFieldType type = OFTString;
    int width = 0;
    int precision = 0;
};

// Writes folder/name.shp (.shx .dbf), then the .prj text as given when it
// is not empty. Returns the .shp path.
inline fs::path MakeShapeFile(const fs::path& folder, const std::string& name, OGRwkbGeometryType type,
                              const std::vector<MadeField>& fields, const std::vector<MadeFeature>& features,
                              const std::string& prj = "") {
    GDALAllRegister();
    const fs::path shp = folder / (name + ".shp");
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    Dataset ds(driver->Create(shp.string().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    EXPECT_TRUE(ds) << shp;
    if (!ds) return shp;
    OGRLayer* layer = ds->CreateLayer(name.c_str(), nullptr, type, nullptr);
    for (const MadeField& f : fields) {
        OGRFieldDefn defn(f.name.c_str(), f.type);
        defn.SetWidth(f.width);
        defn.SetPrecision(f.precision);
        layer->CreateField(&defn);
    }
    for (const MadeFeature& m : features) {
        OGRFeature feature(layer->GetLayerDefn());
        OGRGeometry* g = nullptr;
        OGRGeometryFactory::createFromWkt(m.wkt.c_str(), nullptr, &g);
        feature.SetGeometryDirectly(g);
        for (size_t i = 0; i < m.values.size(); i++) feature.SetField(static_cast<int>(i), m.values[i].c_str());
        EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE) << m.wkt;
    }
    ds.reset();
    if (!prj.empty()) WriteAll(fs::path(shp).replace_extension(".prj"), prj);
    return shp;
}

// Geographic WGS 84 as an ESRI .prj writes it; withDecimals picks "0.0"
// or "0" for the prime meridian and the spheroid: the same system in two
// spellings, as two tools wrote them.
inline std::string Wgs84Prj(bool withDecimals) {
    const std::string zero = withDecimals ? "0.0" : "0";
    return "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137" +
           std::string(withDecimals ? ".0" : "") + ",298.257223563]],PRIMEM[\"Greenwich\"," + zero +
           "],UNIT[\"Degree\",0.0174532925199433]]";
}

// A few line features with a name, a count and a length.
inline std::vector<MadeFeature> MadeLines(double offset) {
    std::vector<MadeFeature> out;
    for (int i = 0; i < 5; i++) {
        const double x = -87.7 + offset + i * 0.01, y = 43.7 + i * 0.01;
        out.push_back({"LINESTRING (" + std::to_string(x) + " " + std::to_string(y) + ", " +
                           std::to_string(x + 0.005) + " " + std::to_string(y + 0.004) + ")",
                       {"line " + std::to_string(i), std::to_string(i * 10), std::to_string(i * 1.25)}});
    }
    return out;
}

inline std::vector<MadeField> MadeLineFields() {
    return {{"NAME", OFTString, 20, 0}, {"COUNT", OFTInteger, 9, 0}, {"LENGTH", OFTReal, 12, 3}};
}

}  // namespace e2e
