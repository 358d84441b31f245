// Spatial contexts carried from a source to a destination: the record and
// its defaults, the copy with a name filter, the coordinate system names the
// maker's Oracle and Informix providers get, the missing command, the
// lookup by name, and real SHP to SDF copies.
#include <GeoxferApi/FdoSpatialContext.h>
#include <GeoxferApi/LastError.h>

#include "copytask/LastErrorText.h"

#include "StoreTestSupport.h"

#include <cwctype>

using namespace xfer_test;
namespace fs = std::filesystem;

namespace {

FdoPtr<ContextStore> Store(FdoString* provider, std::vector<CreatedContext> listed = {}) {
    FdoPtr<ContextStore> s = ContextStore::Create(provider);
    s->listed = std::move(listed);
    s->SetConnectionString(L"File=x");
    s->Open();
    return s;
}

std::vector<std::wstring> NamesOf(const std::vector<CreatedContext>& v) {
    std::vector<std::wstring> names;
    for (auto& c : v) names.push_back(c.name);
    return names;
}

}  // namespace

TEST(SpatialContextRecord, StartsAsTheDefaultContext) {
    FdoPtr<c_FdoSpatialContext> sc = c_FdoSpatialContext::Create();
    const std::wstring localCs =
        L"LOCAL_CS[\"*XY-MT*\",LOCAL_DATUM[\"*X-Y*\",10000],UNIT[\"Meter\", 1],AXIS[\"X\",EAST],AXIS[\"Y\",NORTH]]";
    EXPECT_EQ(std::wstring(sc->GetName()), L"Default");
    EXPECT_EQ(std::wstring(sc->GetDescription()), L"");
    EXPECT_EQ(std::wstring(sc->GetCoordinateSystem()), localCs);
    EXPECT_EQ(std::wstring(sc->GetCoordinateSystemWkt()), localCs);
    EXPECT_EQ(sc->GetExtentType(), FdoSpatialContextExtentType_Static);
    EXPECT_DOUBLE_EQ(sc->GetXYTolerance(), 0.001);
    EXPECT_DOUBLE_EQ(sc->GetZTolerance(), 0.001);
    EXPECT_TRUE(sc->IsActive());
    EXPECT_TRUE(sc->CanSetName());

    FdoPtr<FdoIEnvelope> envelope = sc->GetEnvelope();
    EXPECT_TRUE(envelope->GetIsEmpty());

    FdoPtr<FdoByteArray> fgf = sc->GetExtent();
    ASSERT_TRUE(fgf);
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> polygon = factory->CreateGeometryFromFgf(fgf);
    EXPECT_EQ(polygon->GetDerivedType(), FdoGeometryType_Polygon);
    FdoPtr<FdoIEnvelope> box = polygon->GetEnvelope();
    EXPECT_DOUBLE_EQ(box->GetMinX(), -10000000);
    EXPECT_DOUBLE_EQ(box->GetMinY(), -10000000);
    EXPECT_DOUBLE_EQ(box->GetMaxX(), 10000000);
    EXPECT_DOUBLE_EQ(box->GetMaxY(), 10000000);
}

TEST(SpatialContextRecord, ExtentGrowsAndSettersStick) {
    FdoPtr<c_FdoSpatialContext> sc = c_FdoSpatialContext::Create();
    FdoPtr<FdoEnvelopeImpl> a = FdoEnvelopeImpl::Create(1, 2, 3, 4);
    FdoPtr<FdoEnvelopeImpl> b = FdoEnvelopeImpl::Create(-5, 0, 2, 10);
    sc->ExpandExtent(a);
    sc->ExpandExtent(b);
    sc->ExpandExtent(nullptr);
    FdoPtr<FdoByteArray> fgf = sc->GetExtent();
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> polygon = factory->CreateGeometryFromFgf(fgf);
    FdoPtr<FdoIEnvelope> box = polygon->GetEnvelope();
    EXPECT_DOUBLE_EQ(box->GetMinX(), -5);
    EXPECT_DOUBLE_EQ(box->GetMinY(), 0);
    EXPECT_DOUBLE_EQ(box->GetMaxX(), 3);
    EXPECT_DOUBLE_EQ(box->GetMaxY(), 10);

    sc->SetName(L"SC1");
    sc->SetDescription(L"d");
    sc->SetCoordinateSystem(L"WGS84");
    sc->SetCoordinateSystemWkt(L"GEOGCS[]");
    sc->SetExtentType(FdoSpatialContextExtentType_Dynamic);
    sc->SetXYTolerance(0.5);
    sc->SetZTolerance(0.25);
    EXPECT_EQ(std::wstring(sc->GetName()), L"SC1");
    EXPECT_EQ(std::wstring(sc->GetCoordinateSystem()), L"WGS84");
    EXPECT_EQ(std::wstring(sc->GetCoordinateSystemWkt()), L"GEOGCS[]");
    EXPECT_EQ(sc->GetExtentType(), FdoSpatialContextExtentType_Dynamic);
    EXPECT_DOUBLE_EQ(sc->GetXYTolerance(), 0.5);
    EXPECT_DOUBLE_EQ(sc->GetZTolerance(), 0.25);
}

TEST(SpatialContextRecord, CollectionNamesAreCaseSensitive) {
    FdoPtr<c_FdoSpatialContextCollection> list = c_FdoSpatialContextCollection::Create();
    FdoPtr<c_FdoSpatialContext> a = c_FdoSpatialContext::Create();
    FdoPtr<c_FdoSpatialContext> b = c_FdoSpatialContext::Create();
    b->SetName(L"default");
    list->Add(a);
    list->Add(b);
    EXPECT_EQ(list->GetCount(), 2);
    FdoPtr<c_FdoSpatialContext> found = list->FindItem(L"default");
    EXPECT_EQ(found.p, b.p);
    EXPECT_EQ(list->FindItem(L"DEFAULT"), nullptr);
    FdoPtr<c_FdoSpatialContext> again = c_FdoSpatialContext::Create();
    EXPECT_NE(fake::Catch([&] { list->Add(again); }).message, L"<nothing thrown>");
}

TEST(SpatialContextCopy, NamedContextsOnlyMatchedInAnyCase) {
    auto source = Store(L"Test.Source.1.0",
                        {Context(L"SC1", L"CS1"), Context(L"SC2", L"CS2"), Context(L"SC3", L"CS3")});
    auto dest = Store(L"Test.Dest.1.0");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, dest, L"sc1,,SC3,Missing", 0), 0);
    EXPECT_EQ(NamesOf(dest->created), (std::vector<std::wstring>{L"SC1", L"SC3"}));
    const CreatedContext& c = dest->created[1];
    EXPECT_EQ(c.coordinateSystem, L"CS3");
    EXPECT_EQ(c.wkt, L"WKT of CS3");
    EXPECT_EQ(c.description, L"about SC3");
    EXPECT_EQ(c.extentType, FdoSpatialContextExtentType_Static);
    EXPECT_DOUBLE_EQ(c.xyTolerance, 0.5);
    EXPECT_DOUBLE_EQ(c.zTolerance, 0.25);
}

TEST(SpatialContextCopy, NullOrEmptyNamesCopyAllContextsNotOnlyTheActiveOne) {
    auto source = Store(L"Test.Source.1.0", {Context(L"A", L"CS1"), Context(L"B", L"CS2")});
    auto dest = Store(L"Test.Dest.1.0");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, dest, nullptr, 0), 0);
    EXPECT_EQ(NamesOf(dest->created), (std::vector<std::wstring>{L"A", L"B"}));
    auto dest2 = Store(L"Test.Dest.1.0");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, dest2, L"", 0), 0);
    EXPECT_EQ(dest2->created.size(), 2u);
}

TEST(SpatialContextCopy, OracleAndInformixGetSridNames) {
    auto source = Store(L"Test.Source.1.0", {Context(L"SC1", L"LL84"), Context(L"SC2", L"UTM")});

    auto oracle = Store(L"Norv.Oracle.3.2");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, oracle, nullptr, 8307), 0);
    ASSERT_EQ(oracle->created.size(), 2u);
    EXPECT_EQ(oracle->created[0].name, L"SC1");
    EXPECT_EQ(oracle->created[0].coordinateSystem, L"OracleSrid8307");
    EXPECT_EQ(oracle->created[1].name, L"SC2");
    EXPECT_EQ(oracle->created[1].coordinateSystem, L"OracleSrid8307");
    EXPECT_EQ(oracle->created[1].wkt, L"WKT of UTM");

    auto oracleNoSrid = Store(L"Norv.Oracle.3.2");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, oracleNoSrid, nullptr, 0), 0);
    EXPECT_EQ(oracleNoSrid->created.at(0).coordinateSystem, L"LL84");

    auto informix = Store(L"Norv.Informix.1.0");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, informix, nullptr, 4326), 0);
    EXPECT_EQ(informix->created.at(0).coordinateSystem, L"InformixSpatialSrid4326");

    // The maker's names are matched with exact case, and other providers
    // keep the source's name whatever the srid.
    auto upper = Store(L"NORV.ORACLE.3.2");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, upper, nullptr, 8307), 0);
    EXPECT_EQ(upper->created.at(0).coordinateSystem, L"LL84");
    auto other = Store(L"Test.Dest.1.0");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, other, nullptr, -5), 0);
    EXPECT_EQ(other->created.at(1).coordinateSystem, L"UTM");
}

TEST(SpatialContextCopy, MissingCreateCommandReturns12WithoutReadingTheSource) {
    auto source = Store(L"Test.Source.1.0", {Context(L"SC1", L"CS1")});
    auto dest = Store(L"Test.Dest.1.0");
    dest->commands = {FdoCommandType_GetSpatialContexts};
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, dest, nullptr, 0), 12);
    EXPECT_EQ(LastError(), L"Provider doesn't support create Spatial Context command");
    EXPECT_EQ(source->getCount, 0);

    FdoPtr<c_FdoSpatialContextCollection> list = c_FdoSpatialContextCollection::Create();
    SetLastErrorText(L"before");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextCollection(dest, list, 0), 12);
    EXPECT_EQ(LastError(), L"Provider doesn't support create Spatial Context command");
}

TEST(SpatialContextCopy, RefusedContextDoesNotKeepTheOthersOut) {
    auto source = Store(L"Test.Source.1.0", {Context(L"A", L"CS1"), Context(L"B", L"CS2"), Context(L"C", L"CS3")});
    auto dest = Store(L"Test.Dest.1.0");
    dest->refused = {L"B"};
    // The copy hands the contexts over and returns 0; the refusal is only
    // in the last error text.
    SetLastErrorText(L"");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(source, dest, nullptr, 0), 0);
    EXPECT_EQ(NamesOf(dest->created), (std::vector<std::wstring>{L"A", L"C"}));
    EXPECT_EQ(LastError(), L"Spatial context already exists.");

    // The collection itself reports the first refusal as 2, after trying
    // every record.
    FdoPtr<c_FdoSpatialContextCollection> list = c_FdoSpatialContextCollection::Create();
    for (const wchar_t* name : {L"X", L"B", L"Y", L"Z"}) {
        FdoPtr<c_FdoSpatialContext> sc = c_FdoSpatialContext::Create();
        sc->SetName(name);
        list->Add(sc);
    }
    dest->refused = {L"B", L"Z"};
    dest->created.clear();
    SetLastErrorText(L"");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextCollection(dest, list, 0), 2);
    EXPECT_EQ(NamesOf(dest->created), (std::vector<std::wstring>{L"X", L"Y"}));
    EXPECT_EQ(LastError(), L"Spatial context already exists.");
}

TEST(SpatialContextCopy, CollectionRecordsGiveTheirDefaults) {
    auto dest = Store(L"Norv.Oracle.3.2");
    FdoPtr<c_FdoSpatialContextCollection> list = c_FdoSpatialContextCollection::Create();
    FdoPtr<c_FdoSpatialContext> sc = c_FdoSpatialContext::Create();
    list->Add(sc);
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextCollection(dest, list, 0), 0);
    ASSERT_EQ(dest->created.size(), 1u);
    EXPECT_EQ(dest->created[0].name, L"Default");
    EXPECT_EQ(dest->created[0].coordinateSystem, std::wstring(sc->GetCoordinateSystem()));
    EXPECT_DOUBLE_EQ(dest->created[0].xyTolerance, 0.001);
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextCollection(dest, nullptr, 0), 0);
}

TEST(SpatialContextCopy, NoConnectionIsResult2) {
    auto store = Store(L"Test.Dest.1.0");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(nullptr, store, nullptr, 0), 2);
    EXPECT_EQ(LastError(), L"c_FDO_Api::CreateSpatialContextFromFdoSource: no connection was given.");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(store, nullptr, nullptr, 0), 2);
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextCollection(nullptr, nullptr, 0), 2);
    FdoStringP cs, wkt;
    EXPECT_EQ(fake::Catch([&] { c_FDO_Api::FindSpatialContextData(nullptr, L"x", cs, wkt); }).message,
              L"c_FDO_Api::FindSpatialContextData: no connection was given.");
}

TEST(SpatialContextLookup, FindsByNameInAnyCaseAndLeavesOutputsWhenAbsent) {
    auto source = Store(L"Test.Source.1.0", {Context(L"Zone", L"UTM17"), Context(L"World", L"LL84")});
    FdoStringP cs(L"keep"), wkt(L"keep");
    EXPECT_TRUE(c_FDO_Api::FindSpatialContextData(source, L"wORLD", cs, wkt));
    EXPECT_EQ(std::wstring(cs), L"LL84");
    EXPECT_EQ(std::wstring(wkt), L"WKT of LL84");

    FdoStringP cs2(L"keep"), wkt2(L"keep");
    EXPECT_FALSE(c_FDO_Api::FindSpatialContextData(source, L"Mars", cs2, wkt2));
    EXPECT_EQ(std::wstring(cs2), L"keep");
    EXPECT_EQ(std::wstring(wkt2), L"keep");

    source->commands = {FdoCommandType_CreateSpatialContext};
    EXPECT_FALSE(c_FDO_Api::FindSpatialContextData(source, L"World", cs2, wkt2));
}

TEST(SpatialContextCopy, ContextsAfterTheSdfDefaultStillArrive) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    // The shape folder lists a Default context (files without .prj) before
    // the others; a new SDF file has its own Default.
    auto dir = geoxfer_test::TempDir("sc-default");
    auto shp = Open(L"OSGeo.SHP", ShpConn(geoxfer_test::SampleDataDir() / "spData/shapes"));
    auto sdf = NewSdf(dir / "contexts.sdf");
    SetLastErrorText(L"");
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(shp, sdf, nullptr, 0), 0);
    EXPECT_FALSE(LastError().empty()) << "the Default context was refused";
    FdoStringP cs, wkt;
    EXPECT_TRUE(c_FDO_Api::FindSpatialContextData(sdf, L"GCS_WGS_1984", cs, wkt));
    EXPECT_TRUE(c_FDO_Api::FindSpatialContextData(sdf, L"WGS_1984_UTM_Zone_18N", cs, wkt));
    fs::remove_all(dir);
}

TEST(SpatialContextCopy, RealShapeContextsReachANewSdfStore) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    auto dir = geoxfer_test::TempDir("sc-shp-sdf");
    auto shp = Open(L"OSGeo.SHP", ShpConn(Sheboygan()));
    auto sdf = NewSdf(dir / "contexts.sdf");

    FdoPtr<FdoIGetSpatialContexts> get =
        static_cast<FdoIGetSpatialContexts*>(shp->CreateCommand(FdoCommandType_GetSpatialContexts));
    get->SetActiveOnly(false);
    FdoPtr<FdoISpatialContextReader> reader = get->Execute();
    ASSERT_TRUE(reader->ReadNext()) << "the Sheboygan shape files carry a .prj";
    std::wstring name = reader->GetName();
    std::wstring wkt = reader->GetCoordinateSystemWkt();
    reader = nullptr;

    EXPECT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(shp, sdf, nullptr, 0), 0) << LastError();
    FdoStringP cs, gotWkt;
    std::wstring other = name;
    for (auto& ch : other) ch = static_cast<wchar_t>(towupper(static_cast<wint_t>(ch)));
    ASSERT_TRUE(c_FDO_Api::FindSpatialContextData(sdf, other.c_str(), cs, gotWkt));
    EXPECT_EQ(std::wstring(gotWkt), wkt);
}
