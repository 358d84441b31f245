// Features through the stand-ins: real shape files copied in with the
// FDO commands a copy uses (spatial context, apply schema, batch insert),
// read back feature by feature and compared with GDAL reading the source;
// class names OWNER~TABLE~GEOMETRY, SRIDs in the stored geometries, filters
// (pushed down or not) giving the same rows, and the class-mapping table.
#include "NorvTestSupport.h"
#include "ShpTestSupport.h"

#include <FdoCommon/FdoCommonSchemaUtil.h>

using namespace norvtest;

namespace {

template <class T>
T* Cmd(FdoIConnection* c, FdoInt32 type) {
    return static_cast<T*>(c->CreateCommand(type));
}

FdoFeatureClass* OnlyFeatureClass(FdoIConnection* c) {
    FdoPtr<FdoIDescribeSchema> d = Cmd<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
    FdoPtr<FdoFeatureSchemaCollection> schemas = d->Execute();
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    return static_cast<FdoFeatureClass*>(classes->GetItem(0));
}

FdoClassDefinition* FindClass(FdoIConnection* c, FdoString* name) {
    FdoPtr<FdoIDescribeSchema> d = Cmd<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
    FdoPtr<FdoFeatureSchemaCollection> schemas = d->Execute();
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    return classes->FindItem(name);
}

// The destination's spatial context, then the class, as a copy prepares them.
void CreateClassLike(FdoIConnection* src, FdoFeatureClass* cls, FdoIConnection* dst, const std::wstring& context) {
    FdoPtr<FdoGeometricPropertyDefinition> geom = cls->GetGeometryProperty();
    FdoPtr<FdoIGetSpatialContexts> gsc = Cmd<FdoIGetSpatialContexts>(src, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> scr = gsc->Execute();
    FdoPtr<FdoICreateSpatialContext> csc = Cmd<FdoICreateSpatialContext>(dst, FdoCommandType_CreateSpatialContext);
    csc->SetName(context.c_str());
    while (scr->ReadNext()) {
        if (FdoStringP(scr->GetName()).ICompare(geom->GetSpatialContextAssociation()) != 0) continue;
        csc->SetDescription(scr->GetDescription());
        csc->SetCoordinateSystem(context.c_str());
        csc->SetCoordinateSystemWkt(scr->GetCoordinateSystemWkt());
        csc->SetXYTolerance(scr->GetXYTolerance());
    }
    // A copy ignores a context that exists already.
    ErrorOf([&] { csc->Execute(); });
    FdoPtr<FdoFeatureClass> copy = FdoCommonSchemaUtil::DeepCopyFdoFeatureClass(cls);
    FdoPtr<FdoGeometricPropertyDefinition> copyGeom = copy->GetGeometryProperty();
    copyGeom->SetSpatialContextAssociation(context.c_str());
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(copy);
    FdoPtr<FdoIApplySchema> apply = Cmd<FdoIApplySchema>(dst, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    apply->Execute();
}

// Copies every feature with batch parameter values, pairing properties
// without regard to case; returns the count.
long CopyFeatures(FdoIConnection* src, FdoClassDefinition* from, FdoIConnection* dst, FdoClassDefinition* to,
                  int batchSize = 37) {
    FdoPtr<FdoISelect> select = Cmd<FdoISelect>(src, FdoCommandType_Select);
    select->SetFeatureClassName(from->GetName());
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    FdoPtr<FdoIInsert> insert = Cmd<FdoIInsert>(dst, FdoCommandType_Insert);
    insert->SetFeatureClassName(to->GetName());
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    FdoPtr<FdoBatchParameterValueCollection> batch = insert->GetBatchParameterValues();
    FdoPtr<FdoPropertyDefinitionCollection> fromProps = from->GetProperties(), toProps = to->GetProperties();
    std::vector<std::pair<FdoStringP, FdoPtr<FdoPropertyDefinition>>> pairs;
    for (FdoInt32 i = 0; i < toProps->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> t = toProps->GetItem(i);
        for (FdoInt32 k = 0; k < fromProps->GetCount(); k++) {
            FdoPtr<FdoPropertyDefinition> f = fromProps->GetItem(k);
            if (FdoStringP(f->GetName()).ICompare(t->GetName()) != 0) continue;
            FdoPtr<FdoParameter> p = FdoParameter::Create(t->GetName());
            FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(t->GetName(), p);
            values->Add(pv);
            pairs.push_back({t->GetName(), f});
        }
    }
    long n = 0;
    auto flush = [&] {
        FdoPtr<FdoIFeatureReader> done = insert->Execute();
        batch->Clear();
    };
    while (reader->ReadNext()) {
        FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
        for (auto& [name, prop] : pairs) {
            FdoPtr<FdoLiteralValue> v;
            FdoString* pn = prop->GetName();
            if (prop->GetPropertyType() == FdoPropertyType_GeometricProperty) {
                v = reader->IsNull(pn) ? FdoGeometryValue::Create() : FdoGeometryValue::Create(FdoPtr<FdoByteArray>(reader->GetGeometry(pn)));
            } else {
                auto* dp = static_cast<FdoDataPropertyDefinition*>(prop.p);
                if (reader->IsNull(pn)) v = FdoDataValue::Create(dp->GetDataType());
                else switch (dp->GetDataType()) {
                        case FdoDataType_String: v = FdoDataValue::Create(reader->GetString(pn)); break;
                        case FdoDataType_Int32: v = FdoDataValue::Create(reader->GetInt32(pn)); break;
                        case FdoDataType_Int16: v = FdoDataValue::Create(reader->GetInt16(pn)); break;
                        case FdoDataType_Int64: v = FdoDataValue::Create(reader->GetInt64(pn)); break;
                        case FdoDataType_Boolean: v = FdoDataValue::Create(reader->GetBoolean(pn)); break;
                        case FdoDataType_DateTime: v = FdoDataValue::Create(reader->GetDateTime(pn)); break;
                        case FdoDataType_Decimal: v = FdoDataValue::Create(reader->GetDouble(pn), FdoDataType_Decimal); break;
                        default: v = FdoDataValue::Create(reader->GetDouble(pn), FdoDataType_Double); break;
                    }
            }
            FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(name, v);
            row->Add(pv);
        }
        batch->Add(row);
        n++;
        if (batch->GetCount() >= batchSize) flush();
    }
    if (batch->GetCount() > 0) flush();
    return n;
}

fs::path NcShape() { return geoxfer_test::SampleDataDir() / "sf/shape/nc.shp"; }

}  // namespace

TEST(NorvOracleFeatures, ShapeFileRoundTripWithSridAndOwnerTableGeometryName) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    DataHome home("oracle-features");
    FdoPtr<FdoIConnection> shp = shptest::Connect(NcShape().parent_path() / "nc.shp");
    FdoPtr<FdoIConnection> ora = Oracle(L"scott", L"tiger", L"ORCL", L"GIS");
    FdoPtr<FdoFeatureClass> nc = static_cast<FdoFeatureClass*>(FindClass(shp, L"nc"));
    ASSERT_TRUE(nc);
    CreateClassLike(shp, nc, ora, L"OracleSrid8307");

    FdoPtr<FdoClassDefinition> made = FindClass(ora, L"GIS~NC~GEOMETRY");
    ASSERT_TRUE(made) << "class GIS~NC~GEOMETRY not described";
    FdoPtr<FdoDataPropertyDefinitionCollection> ids = made->GetIdentityProperties();
    ASSERT_EQ(ids->GetCount(), 1);
    EXPECT_STREQ(FdoPtr<FdoDataPropertyDefinition>(ids->GetItem(0))->GetName(), L"FEATID");
    FdoPtr<FdoGeometricPropertyDefinition> geom = static_cast<FdoFeatureClass*>(made.p)->GetGeometryProperty();
    EXPECT_STREQ(geom->GetSpatialContextAssociation(), L"OracleSrid8307");

    EXPECT_EQ(CopyFeatures(shp, nc, ora, made), 100);
    FdoPtr<FdoIFeatureReader> back = shptest::SelectAll(ora, L"GIS~NC~GEOMETRY");
    EXPECT_EQ(shptest::CompareWithOgr(back, NcShape(), L"FEATID"), 100);

    // Every stored geometry carries the column's SRID; metadata and index exist.
    Rows srids = Query(ora, L"SELECT distinct a.GEOMETRY.sdo_srid as SRID from GIS.NC a", {L"SRID"});
    EXPECT_EQ(srids, (Rows{{L"8307"}}));
    EXPECT_EQ(Query(ora, L"SELECT INDEX_NAME FROM ALL_SDO_INDEX_INFO WHERE TABLE_NAME = 'NC'", {L"INDEX_NAME"}).size(), 1u);
    FdoPtr<FdoIGetSpatialContexts> gsc = Cmd<FdoIGetSpatialContexts>(ora, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> scr = gsc->Execute();
    bool found = false;
    while (scr->ReadNext()) found = found || FdoStringP(scr->GetName()) == L"OracleSrid8307";
    EXPECT_TRUE(found);
}

TEST(NorvOracleFeatures, FiltersGiveTheSameRowsAsTheShapeProvider) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    DataHome home("oracle-filters");
    FdoPtr<FdoIConnection> shp = shptest::Connect(NcShape().parent_path() / "nc.shp");
    FdoPtr<FdoIConnection> ora = Oracle(L"GIS", L"pw");
    FdoPtr<FdoFeatureClass> nc = static_cast<FdoFeatureClass*>(FindClass(shp, L"nc"));
    CreateClassLike(shp, nc, ora, L"OracleSrid4267");
    FdoPtr<FdoClassDefinition> made = FindClass(ora, L"GIS~NC~GEOMETRY");
    ASSERT_TRUE(made);
    CopyFeatures(shp, nc, ora, made, 1000);
    const wchar_t* filters[][2] = {
        {L"AREA > 0.1", L"AREA > 0.1"},
        {L"NAME = 'Ashe' OR BIR74 < 1000", L"NAME = 'Ashe' OR BIR74 < 1000"},
        {L"NAME LIKE 'C%' AND NOT (SID74 = 0)", L"NAME LIKE 'C%' AND NOT (SID74 = 0)"},
        {L"FIPSNO IN (37009, 37005, 99999)", L"FIPSNO IN (37009, 37005, 99999)"},
        {L"GEOMETRY ENVELOPEINTERSECTS GeomFromText('POLYGON ((-80 35, -78 35, -78 36, -80 36, -80 35))')",
         L"Geometry ENVELOPEINTERSECTS GeomFromText('POLYGON ((-80 35, -78 35, -78 36, -80 36, -80 35))')"},
        {L"GEOMETRY INTERSECTS GeomFromText('POLYGON ((-80 35, -78 35, -78 36, -80 36, -80 35))') AND AREA < 0.15",
         L"Geometry INTERSECTS GeomFromText('POLYGON ((-80 35, -78 35, -78 36, -80 36, -80 35))') AND AREA < 0.15"},
    };
    for (auto& f : filters) {
        auto count = [](FdoIConnection* c, FdoString* cls, FdoString* filter, FdoString* key) {
            std::vector<FdoInt64> keys;
            FdoPtr<FdoIFeatureReader> r = shptest::SelectAll(c, cls, filter);
            while (r->ReadNext()) keys.push_back(r->GetInt32(key));
            return keys;
        };
        auto a = count(ora, L"GIS~NC~GEOMETRY", f[0], L"FEATID");
        auto b = count(shp, L"nc", f[1], L"FeatId");
        EXPECT_EQ(a, b) << FdoStringP(f[0]).operator const char*();
        EXPECT_FALSE(a.empty()) << FdoStringP(f[0]).operator const char*();
    }
}

TEST(NorvOracleFeatures, ApplyingAnExistingClassIsRefusedAndMappingTableAddsClasses) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    DataHome home("oracle-mapping");
    FdoPtr<FdoIConnection> shp = shptest::Connect(NcShape().parent_path() / "nc.shp");
    {
        FdoPtr<FdoIConnection> ora = Oracle(L"GIS", L"pw");
        FdoPtr<FdoFeatureClass> nc = static_cast<FdoFeatureClass*>(FindClass(shp, L"nc"));
        CreateClassLike(shp, nc, ora, L"OracleSrid8307");
        FdoPtr<FdoClassDefinition> made = FindClass(ora, L"GIS~NC~GEOMETRY");
        CopyFeatures(shp, nc, ora, made);
        EXPECT_NE(ErrorOf([&] { CreateClassLike(shp, nc, ora, L"OracleSrid8307"); }).find("ORA-00955"),
                  std::string::npos);
        Exec(ora, L"CREATE VIEW GIS.NC_VIEW AS SELECT FEATID, NAME, GEOMETRY FROM NC");
        Exec(ora, L"CREATE TABLE MAPPING (FDO_CLASS_NAME VARCHAR2(256), FDO_ORA_OWNER VARCHAR2(64), FDO_ORA_NAME "
                  L"VARCHAR2(64), FDO_ORA_GEOMCOLUMN VARCHAR2(1024), FDO_IDENTITY VARCHAR2(1024))");
        Exec(ora, L"INSERT INTO MAPPING VALUES ('Counties', 'GIS', 'NC_VIEW', 'GEOMETRY', 'FEATID')");
    }
    FdoPtr<FdoIConnection> mapped =
        Connect(L"Norv.Oracle", L"Username=GIS;Password=pw;Service=ORCL;NorvFdoClass=MAPPING;");
    FdoPtr<FdoClassDefinition> counties = FindClass(mapped, L"Counties");
    ASSERT_TRUE(counties);
    FdoPtr<FdoDataPropertyDefinitionCollection> ids = counties->GetIdentityProperties();
    EXPECT_EQ(ids->GetCount(), 1);
    FdoPtr<FdoIFeatureReader> r = shptest::SelectAll(mapped, L"Counties", L"NAME = 'Ashe'");
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetString(L"NAME"), L"Ashe");
    EXPECT_FALSE(r->ReadNext());
    // The view is published under its own name too.
    FdoPtr<FdoClassDefinition> view = FindClass(mapped, L"GIS~NC_VIEW~GEOMETRY");
    EXPECT_TRUE(view);
}

TEST(NorvInformixFeatures, EveryRealShapeFileRoundTrips) {
    auto files = shptest::RealShapeFiles();
    if (files.empty()) GTEST_SKIP() << "no real shape files found";
    DataHome home("informix");
    int dsn = 0;
    for (auto& file : files) {
        SCOPED_TRACE(file.string());
        FdoPtr<FdoIConnection> shp = shptest::Connect(file);
        FdoPtr<FdoFeatureClass> cls = OnlyFeatureClass(shp);
        FdoPtr<FdoIConnection> ifx = Connect(L"Norv.Informix", L"DSN=ds" + std::to_wstring(dsn++) + L";");
        CreateClassLike(shp, cls, ifx, L"InformixSpatialSrid4326");
        FdoPtr<FdoClassDefinition> made = FindClass(ifx, cls->GetName());
        ASSERT_TRUE(made) << "class " << FdoStringP(cls->GetName()).operator const char*();
        long n = CopyFeatures(shp, cls, ifx, made);
        FdoPtr<FdoIFeatureReader> back = shptest::SelectAll(ifx, cls->GetName());
        EXPECT_EQ(shptest::CompareWithOgr(back, file), n);
        Rows srids = Query(ifx, L"SELECT DISTINCT NORV_SDO_SRID(Geometry) AS SRID FROM " +
                                    std::wstring(cls->GetName()) + L" WHERE Geometry IS NOT NULL",
                           {L"SRID"});
        if (n > 0) {
            EXPECT_EQ(srids, (Rows{{L"4326"}}));
        }
    }
}

TEST(NorvOracleFeatures, AFailingRowKeepsTheRowsBeforeItAndNamesTheCause) {
    DataHome home("oracle-insert-failure");
    FdoPtr<FdoIConnection> ora = Oracle(L"GIS", L"pw");
    Exec(ora, L"CREATE TABLE ROADS (ID NUMBER(10,0), NAME VARCHAR2(5 CHAR), GEOM MDSYS.SDO_GEOMETRY)");
    Exec(ora, L"ALTER TABLE GIS.ROADS ADD CONSTRAINT ROADS_PK PRIMARY KEY (ID)");
    FdoPtr<FdoIInsert> insert = Cmd<FdoIInsert>(ora, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"GIS~ROADS~GEOM");
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    FdoPtr<FdoParameter> p = FdoParameter::Create(L"NAME");
    FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(L"NAME", p);
    values->Add(pv);
    FdoPtr<FdoBatchParameterValueCollection> batch = insert->GetBatchParameterValues();
    for (const wchar_t* name : {L"ok", L"fine", L"far too long", L"never"}) {
        FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
        FdoPtr<FdoDataValue> v = FdoDataValue::Create(name);
        FdoPtr<FdoParameterValue> bound = FdoParameterValue::Create(L"NAME", v);
        row->Add(bound);
        batch->Add(row);
    }
    std::string error = ErrorOf([&] { FdoPtr<FdoIFeatureReader> r = insert->Execute(); });
    EXPECT_NE(error.find("ORA-12899"), std::string::npos) << error;
    // The key was numbered for the rows before the failure, which stay.
    EXPECT_EQ(Query(ora, L"SELECT ID, NAME FROM ROADS ORDER BY ID", {L"ID", L"NAME"}),
              (Rows{{L"1", L"ok"}, {L"2", L"fine"}}));
}

TEST(NorvOracleFeatures, UnknownClassesAndPropertiesAreNamedInErrors) {
    DataHome home("oracle-errors");
    FdoPtr<FdoIConnection> ora = Oracle(L"GIS", L"pw");
    Exec(ora, L"CREATE TABLE ROADS (ID NUMBER(10,0), GEOM MDSYS.SDO_GEOMETRY)");
    std::string missing = ErrorOf([&] { FdoPtr<FdoIFeatureReader> r = shptest::SelectAll(ora, L"GIS~RIVERS~GEOM"); });
    EXPECT_NE(missing.find("GIS~RIVERS~GEOM"), std::string::npos) << missing;
    FdoPtr<FdoISelect> select = Cmd<FdoISelect>(ora, FdoCommandType_Select);
    select->SetFeatureClassName(L"GIS~ROADS~GEOM");
    FdoPtr<FdoIdentifierCollection> names = select->GetPropertyNames();
    FdoPtr<FdoIdentifier> bad = FdoIdentifier::Create(L"NOPE");
    names->Add(bad);
    std::string unknown = ErrorOf([&] { FdoPtr<FdoIFeatureReader> r = select->Execute(); });
    EXPECT_NE(unknown.find("NOPE"), std::string::npos) << unknown;
    // Geometry without metadata refers to the Default context, which is listed.
    FdoPtr<FdoClassDefinition> roads = FindClass(ora, L"GIS~ROADS~GEOM");
    ASSERT_TRUE(roads);
    FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(roads.p)->GetGeometryProperty();
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"Default");
    FdoPtr<FdoIGetSpatialContexts> gsc = Cmd<FdoIGetSpatialContexts>(ora, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> scr = gsc->Execute();
    ASSERT_TRUE(scr->ReadNext());
    EXPECT_STREQ(scr->GetName(), L"Default");
}

TEST(NorvOracleFeatures, CopyBetweenTwoSessionsOfOneDatabaseWhileReading) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    DataHome home("oracle-two-sessions");
    FdoPtr<FdoIConnection> shp = shptest::Connect(NcShape());
    FdoPtr<FdoFeatureClass> nc = static_cast<FdoFeatureClass*>(FindClass(shp, L"nc"));
    FdoPtr<FdoIConnection> gis = Oracle(L"GIS", L"pw");
    CreateClassLike(shp, nc, gis, L"OracleSrid8307");
    FdoPtr<FdoClassDefinition> source = FindClass(gis, L"GIS~NC~GEOMETRY");
    CopyFeatures(shp, nc, gis, source);

    // A second session of another user writes while the first one reads.
    FdoPtr<FdoIConnection> other = Oracle(L"OTHER", L"pw");
    FdoPtr<FdoFeatureClass> sourceFeature = static_cast<FdoFeatureClass*>(FindClass(other, L"GIS~NC~GEOMETRY"));
    ASSERT_TRUE(sourceFeature);
    FdoPtr<FdoFeatureClass> renamed = FdoCommonSchemaUtil::DeepCopyFdoFeatureClass(sourceFeature);
    renamed->SetName(L"COUNTIES");
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(renamed);
    FdoPtr<FdoIApplySchema> apply = Cmd<FdoIApplySchema>(other, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    apply->Execute();
    FdoPtr<FdoClassDefinition> target = FindClass(other, L"OTHER~COUNTIES~GEOMETRY");
    ASSERT_TRUE(target);
    EXPECT_EQ(CopyFeatures(gis, source, other, target, 10), 100);
    FdoPtr<FdoIFeatureReader> back = shptest::SelectAll(gis, L"OTHER~COUNTIES~GEOMETRY");
    EXPECT_EQ(shptest::CompareWithOgr(back, NcShape(), L"FEATID"), 100);
    EXPECT_EQ(Query(gis, L"SELECT distinct a.GEOMETRY.sdo_srid as SRID from OTHER.COUNTIES a", {L"SRID"}),
              (Rows{{L"8307"}}));
}

TEST(NorvMsSqlFeatures, ClassesAreNamedAfterSchemaTableAndGeometry) {
    DataHome home("mssql-features");
    FdoPtr<FdoIConnection> c = Connect(L"Norv.MsSqlSpatial", L"Server=srv;Database=gis;");
    Exec(c, L"CREATE TABLE roads (id INTEGER, name VARCHAR(20), shape GEOMETRY)");
    Exec(c, L"INSERT INTO roads (id, name, shape) VALUES (1, 'Main', ST_GeomFromText('LINESTRING (0 0, 1 1)', 4326))");
    FdoPtr<FdoClassDefinition> roads = FindClass(c, L"dbo~roads~shape");
    ASSERT_TRUE(roads);
    FdoPtr<FdoIFeatureReader> r = shptest::SelectAll(c, L"dbo~roads~shape", L"name = 'Main'");
    ASSERT_TRUE(r->ReadNext());
    EXPECT_EQ(r->GetInt32(L"id"), 1);
    FdoPtr<FdoByteArray> fgf = r->GetGeometry(L"shape");
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(fgf);
    EXPECT_EQ(g->GetDerivedType(), FdoGeometryType_LineString);
    EXPECT_FALSE(r->ReadNext());
}
