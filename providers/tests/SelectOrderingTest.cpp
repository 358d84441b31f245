// Selects with an ordering come back in the order GDAL's own SQL gives for
// the same filter and keys, through every provider that orders in memory
// (the shape file, OGR and SDF providers); keys that cannot order are
// refused naming the property.
#include "OgrProviderTestSupport.h"

#include <ogrsf_frmts.h>

namespace {

namespace fs = std::filesystem;

// FIPS of the rows the provider returns for filter and ordering.
std::vector<std::string> ProviderOrder(FdoIConnection* c, FdoString* cls, FdoString* filter,
                                       const std::vector<FdoString*>& keys, FdoOrderingOption option) {
    FdoPtr<FdoISelect> select = shptest::Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(cls);
    if (filter) select->SetFilter(filter);
    FdoPtr<FdoIdentifierCollection> ordering = select->GetOrdering();
    for (FdoString* k : keys) ordering->Add(FdoPtr<FdoIdentifier>(FdoIdentifier::Create(k)));
    select->SetOrderingOption(option);
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    std::vector<std::string> out;
    while (r->ReadNext()) out.push_back(FdoStringP::Utf8FromUnicode(r->GetString(L"FIPS")));
    return out;
}

std::vector<std::string> GdalOrder(const fs::path& file, const std::string& sql) {
    GDALAllRegister();
    GDALDatasetH ds = GDALOpenEx(file.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    EXPECT_TRUE(ds) << file;
    std::vector<std::string> out;
    if (!ds) return out;
    OGRLayerH result = GDALDatasetExecuteSQL(ds, sql.c_str(), nullptr, "OGRSQL");
    EXPECT_TRUE(result) << sql;
    if (result) {
        while (OGRFeatureH f = OGR_L_GetNextFeature(result)) {
            out.push_back(OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "FIPS")));
            OGR_F_Destroy(f);
        }
        GDALDatasetReleaseResultSet(ds, result);
    }
    GDALClose(ds);
    return out;
}

void ExpectGdalOrder(FdoIConnection* c, FdoString* cls, const fs::path& file, const std::string& layer) {
    // NAME is unique in the counties, so each ordering is a total one.
    EXPECT_EQ(ProviderOrder(c, cls, nullptr, {L"NAME"}, FdoOrderingOption_Ascending),
              GdalOrder(file, "SELECT FIPS FROM \"" + layer + "\" ORDER BY NAME"));
    EXPECT_EQ(ProviderOrder(c, cls, L"BIR74 > 5000", {L"SID74", L"NAME"}, FdoOrderingOption_Descending),
              GdalOrder(file, "SELECT FIPS FROM \"" + layer + "\" WHERE BIR74 > 5000 ORDER BY SID74 DESC, NAME DESC"));
    const std::vector<std::string> none = ProviderOrder(c, cls, L"NAME = 'nowhere'", {L"NAME"}, FdoOrderingOption_Ascending);
    EXPECT_TRUE(none.empty());
}

}  // namespace

TEST(SelectOrdering, ShapeFileAndGeoPackageOrderAsGdalDoes) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    const fs::path shp = geoxfer_test::SampleDataDir() / "sf/shape/nc.shp";
    FdoPtr<FdoIConnection> s = ogrptest::Connect(L"OSGeo.SHP", FdoStringP(L"DefaultFileLocation=") + ogrptest::Text(shp));
    ExpectGdalOrder(s, L"nc", shp, "nc");
    const fs::path gpkg = geoxfer_test::SampleDataDir() / "sf/gpkg/nc.gpkg";
    FdoPtr<FdoIConnection> g = ogrptest::Connect(L"OSGeo.OGR", FdoStringP(L"DataSource=") + ogrptest::Text(gpkg) + L";ReadOnly=TRUE;");
    FdoPtr<FdoFeatureClass> cls = ogrptest::OnlyClass(g);
    ExpectGdalOrder(g, cls->GetName(), gpkg, "nc.gpkg");
}

TEST(SelectOrdering, KeysThatCannotOrderAreRefusedByName) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    const fs::path shp = geoxfer_test::SampleDataDir() / "sf/shape/nc.shp";
    FdoPtr<FdoIConnection> s = ogrptest::Connect(L"OSGeo.SHP", FdoStringP(L"DefaultFileLocation=") + ogrptest::Text(shp));
    std::string unknown = shptest::ErrorOf([&] { ProviderOrder(s, L"nc", nullptr, {L"NOPE"}, FdoOrderingOption_Ascending); });
    EXPECT_NE(unknown.find("'NOPE'"), std::string::npos) << unknown;
    std::string geometry = shptest::ErrorOf([&] { ProviderOrder(s, L"nc", nullptr, {L"Geometry"}, FdoOrderingOption_Ascending); });
    EXPECT_NE(geometry.find("'Geometry'"), std::string::npos) << geometry;
}
