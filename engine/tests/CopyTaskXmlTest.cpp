// The copy task file: what WriteToXML puts in it, how ReadFromXML reads
// it back, and the reading rules for files that were written by hand.
#include "CopyTaskTestSupport.h"

#include <TestData.h>

#include <gtest/gtest.h>

using namespace copytask_test;

namespace {

class CopyTaskXml : public ::testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("copytask-xml"); }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // A fresh task read from the text; fails the test when it does not read.
    FdoPtr<c_GXFCopyTaskDef> Read(const std::string& xml) {
        bool ok = false;
        FdoPtr<c_GXFCopyTaskDef> task = TaskFromText(m_dir, xml, &ok);
        EXPECT_TRUE(ok) << xml;
        return task;
    }

    static FdoPtr<c_GXFClassCopyDef> ClassAt(c_GXFCopyTaskDef* task, FdoInt32 i) {
        FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
        return classes->GetItem(i);
    }
    static FdoInt32 ClassCount(c_GXFCopyTaskDef* task) {
        FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
        return classes->GetCount();
    }
    static FdoInt32 MappingCount(c_GXFClassCopyDef* def) {
        FdoPtr<c_GXFPropertyCopyDefCollection> props = def->GetPropertyCopyDefCollection();
        return props->GetCount();
    }

    std::filesystem::path m_dir;
};

void AddMapping(c_GXFClassCopyDef* def, const wchar_t* from, const wchar_t* to) {
    FdoPtr<c_GXFPropertyCopyDefCollection> props = def->GetPropertyCopyDefCollection();
    FdoPtr<c_GXFPropertyCopyDef> prop = new c_GXFPropertyCopyDef();
    prop->SetSourceProperty(from);
    prop->SetDestProperty(to);
    props->Add(prop);
}

c_GXFClassCopyDef* AddClass(c_GXFCopyTaskDef* task, const wchar_t* from, const wchar_t* to, const wchar_t* filter) {
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    FdoPtr<c_GXFClassCopyDef> def = new c_GXFClassCopyDef();
    def->SetSourceClassName(from);
    def->SetDestClassName(to);
    def->SetCopyFilter(filter);
    classes->Add(def);
    return def;  // borrowed: the task holds it
}

std::string WrittenText(c_GXFCopyTaskDef* task, const std::filesystem::path& path) {
    EXPECT_TRUE(task->WriteToXML(Wide(path)));
    return ReadFile(path);
}

std::wstring ThrownText(c_GXFCopyTaskDef* task, const FdoStringP& fileName) {
    try {
        task->WriteToXML(fileName);
    } catch (FdoException* e) {
        std::wstring text = e->GetExceptionMessage();
        e->Release();
        return text;
    }
    return L"(nothing thrown)";
}

}  // namespace

// ---------------------------------------------------------------- round trip

TEST_F(CopyTaskXml, RoundTripKeepsEveryField) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(L"OSGeo.SHP.3.3");
    task->SetSourceConnString(L"DefaultFileLocation=/data/Straße");
    task->SetDestProvider(L"OSGeo.SDF.3.3");
    task->SetDestConnString(L"  File=/data/東京.sdf  ");
    task->SetApplySchemaXML(L"/schemas/a&b <c>.xml");
    task->SetSpatialContextXML(L"sc.xml");
    c_GXFClassCopyDef* roads = AddClass(task, L"Roads", L"Straße", L"WIDTH > 5 AND NAME = 'x'");
    AddMapping(roads, L"NAME", L"名前");
    AddMapping(roads, L" Geometry ", L"GEOM");
    AddClass(task, L"Rivers", L"", L"");
    c_GXFClassCopyDef* rails = AddClass(task, L"東京", L"Rails\tline\nbreak\r", L"");
    AddMapping(rails, L"", L"");

    FdoPtr<c_GXFCopyTaskDef> back = RoundTrip(m_dir, task);
    EXPECT_EQ(Dump(task), Dump(back));
    EXPECT_EQ(back->GetOracle_Attr_SRID(), -1);

    // Every option away from its default, and an SRID.
    task->SetExecuteApplySchema(false);
    task->SetCreateSpatialContext(false);
    task->SetDeleteDestinationData(true);
    task->SetMagicDataTypes(false);
    task->SetMagicClassName(false);
    task->SetSDF_Attr_CreateIfMissing(false);
    task->SetSDF_Attr_OverwriteFile(true);
    task->SetOracle_Attr_SRID(8307);
    back = RoundTrip(m_dir, task);
    EXPECT_EQ(Dump(task), Dump(back));
    EXPECT_EQ(back->GetOracle_Attr_SRID(), 8307);
}

TEST_F(CopyTaskXml, WrittenFileHasTheDocumentedShape) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(L"OSGeo.SHP");
    c_GXFClassCopyDef* roads = AddClass(task, L"Roads", L"", L"");
    AddMapping(roads, L"A", L"B");
    const std::string text = WrittenText(task, m_dir / "shape.xml");

    // Written in this order, empty values as elements without text.
    const char* inOrder[] = {
        "<FdoCopyTask>", "<SourceConnection>", "<FdoProvider>OSGeo.SHP</FdoProvider>", "<FdoConnectionString",
        "<DestinationConnection>", "<FdoProvider", "<FdoConnectionString", "<ClassCopyDefinition>",
        "<SourceClassName>Roads</SourceClassName>", "<DestinationClassName", "<CopyFilter",
        "<PropertyCopyDefinition>", "<SourcePropertyName>A</SourcePropertyName>",
        "<DestinationPropertyName>B</DestinationPropertyName>", "<CopyTaskAttributes>",
        "<ExecuteApplySchema>TRUE</ExecuteApplySchema>", "<ApplySchemaXMLFile",
        "<CreateSpatialContext>TRUE</CreateSpatialContext>", "<SpatialContextXMLFile",
        "<MagicClassName>TRUE</MagicClassName>", "<MagicDataTypes>TRUE</MagicDataTypes>",
        "<DeleteDestinationData>FALSE</DeleteDestinationData>", "<CopyToSDFAttributes>",
        "<SDF_CreateFileIfMissing>TRUE</SDF_CreateFileIfMissing>", "<SDF_OverwriteFile>FALSE</SDF_OverwriteFile>",
        "<CopyToOracleAttributes>", "<Oracle_SRID", "</FdoCopyTask>"};
    size_t at = 0;
    for (const char* piece : inOrder) {
        size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << piece << "\n" << text;
        at = found + 1;
    }
    EXPECT_EQ(text.find("<Oracle_SRID>-1"), std::string::npos) << "an SRID below 0 is written empty";
    EXPECT_EQ(text.find('\t'), std::string::npos);
    EXPECT_NE(text.find("\n  <SourceConnection>"), std::string::npos) << "pretty-printed";

    task->SetOracle_Attr_SRID(4326);
    EXPECT_NE(WrittenText(task, m_dir / "srid.xml").find("<Oracle_SRID>4326</Oracle_SRID>"), std::string::npos);
}

TEST_F(CopyTaskXml, WriteReplacesAnExistingFile) {
    const auto path = m_dir / "existing.xml";
    WriteFile(path, std::string(100000, '#'));
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    const std::string text = WrittenText(task, path);
    EXPECT_EQ(text.find('#'), std::string::npos);
    FdoPtr<c_GXFCopyTaskDef> back = new c_GXFCopyTaskDef();
    EXPECT_TRUE(back->ReadFromXML(Wide(path)));
}

// ------------------------------------------------------------ write failures

TEST_F(CopyTaskXml, WriteFailuresThrowTheirTexts) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    const std::wstring general = L"c_GXFCopyTaskDef::WriteToXML: General Excpetion";
    EXPECT_EQ(ThrownText(task, Wide(m_dir / "no-such-folder" / "task.xml")), general);
    EXPECT_EQ(ThrownText(task, Wide(m_dir)), general);  // a folder, not a file
    EXPECT_EQ(ThrownText(task, FdoStringP()), general);
    EXPECT_EQ(ThrownText(task, FdoStringP(L"/dev/full")), general);

    // A value XML cannot carry is a DOM error; no half-written file stays.
    task->SetSourceConnString(L"bell\x07");
    const auto path = m_dir / "control.xml";
    EXPECT_EQ(ThrownText(task, Wide(path)), L"c_GXFCopyTaskDef::WriteToXML: DOMException");
    EXPECT_FALSE(std::filesystem::exists(path));
}

// ------------------------------------------------------------ reading rules

TEST_F(CopyTaskXml, MissingOrBrokenFileReadsFalseAndChangesNothing) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(L"kept");
    EXPECT_FALSE(task->ReadFromXML(Wide(m_dir / "absent.xml")));
    EXPECT_FALSE(task->ReadFromXML(Wide(m_dir)));
    EXPECT_FALSE(task->ReadFromXML(nullptr));
    EXPECT_FALSE(task->ReadFromXML(L""));
    for (const char* broken : {"", "not xml at all", "<FdoCopyTask><SourceConnection><FdoProvider>x</FdoProvider>",
                               "<FdoCopyTask></Other>", "<a/><b/>"}) {
        const auto path = m_dir / "broken.xml";
        WriteFile(path, broken);
        EXPECT_FALSE(task->ReadFromXML(Wide(path))) << broken;
    }
    FdoPtr<c_GXFCopyTaskDef> fresh = new c_GXFCopyTaskDef();
    fresh->SetSourceProvider(L"kept");
    EXPECT_EQ(Dump(task), Dump(fresh));
}

TEST_F(CopyTaskXml, AttributesHoldingOnlyExecuteApplySchema) {
    FdoPtr<c_GXFCopyTaskDef> task =
        Read("<FdoCopyTask><CopyTaskAttributes><ExecuteApplySchema>true</ExecuteApplySchema>"
             "</CopyTaskAttributes></FdoCopyTask>");
    EXPECT_TRUE(task->GetExecuteApplySchema());
    EXPECT_FALSE(task->GetCreateSpatialContext());
    EXPECT_FALSE(task->GetMagicClassName());
    EXPECT_FALSE(task->GetMagicDataTypes());
    EXPECT_FALSE(task->GetDeleteDestinationData());
    // Sections that are absent keep the defaults.
    EXPECT_TRUE(task->GetSDF_Attr_CreateIfMissing());
    EXPECT_EQ(task->GetOracle_Attr_SRID(), -1);
}

TEST_F(CopyTaskXml, AbsentSectionsKeepTheirValues) {
    FdoPtr<c_GXFCopyTaskDef> task = Read("<FdoCopyTask/>");
    EXPECT_TRUE(task->GetExecuteApplySchema());
    EXPECT_TRUE(task->GetCreateSpatialContext());
    EXPECT_TRUE(task->GetMagicClassName());
    EXPECT_TRUE(task->GetMagicDataTypes());
    EXPECT_FALSE(task->GetDeleteDestinationData());
    EXPECT_TRUE(task->GetSDF_Attr_CreateIfMissing());
    EXPECT_FALSE(task->GetSDF_Attr_OverwriteFile());

    // Also on a task that was changed before reading.
    const auto path = m_dir / "empty.xml";
    WriteFile(path, "<FdoCopyTask><CopyToSDFAttributes><SDF_OverwriteFile>TRUE</SDF_OverwriteFile>"
                    "</CopyToSDFAttributes></FdoCopyTask>");
    FdoPtr<c_GXFCopyTaskDef> changed = new c_GXFCopyTaskDef();
    changed->SetSourceProvider(L"mine");
    changed->SetExecuteApplySchema(false);
    changed->SetOracle_Attr_SRID(2154);
    ASSERT_TRUE(changed->ReadFromXML(Wide(path)));
    EXPECT_STREQ(changed->GetSourceProvider(), L"mine");
    EXPECT_FALSE(changed->GetExecuteApplySchema());
    EXPECT_EQ(changed->GetOracle_Attr_SRID(), 2154);
    EXPECT_FALSE(changed->GetSDF_Attr_CreateIfMissing());
    EXPECT_TRUE(changed->GetSDF_Attr_OverwriteFile());
}

TEST_F(CopyTaskXml, BooleanWords) {
    auto flag = [&](const std::string& value) {
        FdoPtr<c_GXFCopyTaskDef> task =
            Read("<FdoCopyTask><CopyTaskAttributes><DeleteDestinationData>" + value +
                 "</DeleteDestinationData></CopyTaskAttributes></FdoCopyTask>");
        return task->GetDeleteDestinationData();
    };
    EXPECT_TRUE(flag("TRUE"));
    EXPECT_TRUE(flag("true"));
    EXPECT_TRUE(flag("True"));
    EXPECT_TRUE(flag("tRUE"));
    EXPECT_FALSE(flag("YES"));
    EXPECT_FALSE(flag("1"));
    EXPECT_FALSE(flag(" TRUE"));
    EXPECT_FALSE(flag("TRUE "));
    EXPECT_FALSE(flag("TRUEx"));
    EXPECT_FALSE(flag(""));
    EXPECT_FALSE(flag("<![CDATA[TRUE]]>"));
}

TEST_F(CopyTaskXml, OracleSrid) {
    auto srid = [&](const std::string& section) {
        FdoPtr<c_GXFCopyTaskDef> task = Read("<FdoCopyTask>" + section + "</FdoCopyTask>");
        return task->GetOracle_Attr_SRID();
    };
    auto value = [&](const std::string& v) {
        return srid("<CopyToOracleAttributes><Oracle_SRID>" + v + "</Oracle_SRID></CopyToOracleAttributes>");
    };
    EXPECT_EQ(value("4326"), 4326);
    EXPECT_EQ(value("-7"), -7);
    EXPECT_EQ(value("0"), 0);
    EXPECT_EQ(value("abc"), -1);
    EXPECT_EQ(value("EPSG:4326"), -1);
    EXPECT_EQ(value("4326 "), -1);
    EXPECT_EQ(value(""), -1);
    EXPECT_EQ(value("99999999999"), INT32_MAX);
    EXPECT_EQ(srid("<CopyToOracleAttributes/>"), -1);
    EXPECT_EQ(srid(""), -1);
}

TEST_F(CopyTaskXml, ClassDefinitions) {
    FdoPtr<c_GXFCopyTaskDef> task = Read(
        "<FdoCopyTask>"
        "<ClassCopyDefinition><SourceClassName>Roads</SourceClassName></ClassCopyDefinition>"
        "<ClassCopyDefinition><SourceClassName>Rivers</SourceClassName>"
        "  <DestinationClassName>Water</DestinationClassName><CopyFilter>ID &lt; 3</CopyFilter>"
        "  <PropertyCopyDefinition><SourcePropertyName>A</SourcePropertyName></PropertyCopyDefinition>"
        "  <PropertyCopyDefinition><DestinationPropertyName>D</DestinationPropertyName>"
        "    <SourcePropertyName>B</SourcePropertyName><SourcePropertyName>C</SourcePropertyName>"
        "  </PropertyCopyDefinition>"
        "</ClassCopyDefinition></FdoCopyTask>");
    ASSERT_EQ(ClassCount(task), 2);
    FdoPtr<c_GXFClassCopyDef> roads = ClassAt(task, 0);
    EXPECT_STREQ(roads->GetSourceClassName(), L"Roads");
    EXPECT_STREQ(roads->GetDestClassName(), L"");
    EXPECT_STREQ(roads->GetCopyFilter(), L"");
    EXPECT_EQ(MappingCount(roads), 0);

    FdoPtr<c_GXFClassCopyDef> rivers = ClassAt(task, 1);
    EXPECT_STREQ(rivers->GetDestClassName(), L"Water");
    EXPECT_STREQ(rivers->GetCopyFilter(), L"ID < 3");
    FdoPtr<c_GXFPropertyCopyDefCollection> props = rivers->GetPropertyCopyDefCollection();
    ASSERT_EQ(props->GetCount(), 2);
    FdoPtr<c_GXFPropertyCopyDef> first = props->GetItem(0), second = props->GetItem(1);
    EXPECT_STREQ(first->GetSourceProperty(), L"A");
    EXPECT_STREQ(first->GetDestProperty(), L"");
    EXPECT_STREQ(second->GetSourceProperty(), L"B");
    EXPECT_STREQ(second->GetDestProperty(), L"D");
}

TEST_F(CopyTaskXml, ClassDefinitionsAreAppended) {
    const auto path = m_dir / "two.xml";
    WriteFile(path, "<FdoCopyTask><ClassCopyDefinition><SourceClassName>New</SourceClassName>"
                    "</ClassCopyDefinition></FdoCopyTask>");
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    AddClass(task, L"Old", L"", L"");
    ASSERT_TRUE(task->ReadFromXML(Wide(path)));
    ASSERT_TRUE(task->ReadFromXML(Wide(path)));
    FdoStringP list;
    EXPECT_EQ(task->GetSourceClassesAsString(list), 3);
    EXPECT_STREQ(list, L"Old,New,New");
}

TEST_F(CopyTaskXml, ElementsAreFoundAtAnyDepthFirstMatchWins) {
    FdoPtr<c_GXFCopyTaskDef> task = Read(
        "<FdoCopyTask><Wrapper>"
        "  <SourceConnection><Deeper><FdoProvider>first</FdoProvider></Deeper>"
        "    <FdoProvider>second</FdoProvider></SourceConnection>"
        "  <SourceConnection><FdoConnectionString>other section</FdoConnectionString></SourceConnection>"
        "</Wrapper>"
        "<DestinationConnection><FdoConnectionString>d1</FdoConnectionString>"
        "  <FdoConnectionString>d2</FdoConnectionString></DestinationConnection>"
        "<CopyTaskAttributes><MagicDataTypes>FALSE</MagicDataTypes></CopyTaskAttributes>"
        "<CopyTaskAttributes><MagicDataTypes>TRUE</MagicDataTypes></CopyTaskAttributes>"
        "</FdoCopyTask>");
    EXPECT_STREQ(task->GetSourceProvider(), L"first");
    EXPECT_STREQ(task->GetSourceConnString(), L"") << "only the first SourceConnection counts";
    EXPECT_STREQ(task->GetDestProvider(), L"");
    EXPECT_STREQ(task->GetDestConnString(), L"d1");
    EXPECT_FALSE(task->GetMagicDataTypes());
}

TEST_F(CopyTaskXml, NamesMatchWithExactCase) {
    FdoPtr<c_GXFCopyTaskDef> task =
        Read("<FdoCopyTask><sourceconnection><FdoProvider>x</FdoProvider></sourceconnection>"
             "<SourceConnection><FDOPROVIDER>y</FDOPROVIDER></SourceConnection></FdoCopyTask>");
    EXPECT_STREQ(task->GetSourceProvider(), L"");
}

TEST_F(CopyTaskXml, ValueIsTheFirstDirectTextChild) {
    FdoPtr<c_GXFCopyTaskDef> task = Read(
        "<FdoCopyTask>"
        "<SourceConnection><FdoProvider><![CDATA[OSGeo.SHP]]></FdoProvider>"
        "  <FdoConnectionString><![CDATA[skipped]]>after</FdoConnectionString></SourceConnection>"
        "<DestinationConnection><FdoProvider>Norv<!-- c -->.KML</FdoProvider>"
        "  <FdoConnectionString><b>inner</b>tail</FdoConnectionString></DestinationConnection>"
        "<CopyTaskAttributes><ApplySchemaXMLFile>  a &amp; b  </ApplySchemaXMLFile>"
        "  <SpatialContextXMLFile>&#x6771;&#20140;</SpatialContextXMLFile></CopyTaskAttributes>"
        "</FdoCopyTask>");
    EXPECT_STREQ(task->GetSourceProvider(), L"") << "a CDATA section alone is no value";
    EXPECT_STREQ(task->GetSourceConnString(), L"after");
    EXPECT_STREQ(task->GetDestProvider(), L"Norv");
    EXPECT_STREQ(task->GetDestConnString(), L"tail");
    EXPECT_STREQ(task->GetApplySchemaXML(), L"  a & b  ");
    EXPECT_STREQ(task->GetSpatialContextXML(), L"東京");
}

TEST_F(CopyTaskXml, AnotherRootElementReadsWithoutComplaint) {
    FdoPtr<c_GXFCopyTaskDef> task =
        Read("<Something><SourceConnection><FdoProvider>OSGeo.OGR</FdoProvider></SourceConnection></Something>");
    EXPECT_STREQ(task->GetSourceProvider(), L"OSGeo.OGR");

    // The root's own name plays no part: a root named like a section is not that section.
    FdoPtr<c_GXFCopyTaskDef> rootOnly = Read("<SourceConnection><FdoProvider>x</FdoProvider></SourceConnection>");
    EXPECT_STREQ(rootOnly->GetSourceProvider(), L"");
    FdoPtr<c_GXFCopyTaskDef> unrelated = Read("<html><body>hello</body></html>");
    EXPECT_EQ(Dump(unrelated), Dump(FdoPtr<c_GXFCopyTaskDef>(new c_GXFCopyTaskDef())));
}

TEST_F(CopyTaskXml, NonAsciiFileNames) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    task->SetDestProvider(L"OSGeo.SDF");
    const auto path = m_dir / std::filesystem::path(u8"Straße 東京.xml");
    ASSERT_TRUE(task->WriteToXML(Wide(path)));
    EXPECT_TRUE(std::filesystem::exists(path));
    FdoPtr<c_GXFCopyTaskDef> back = new c_GXFCopyTaskDef();
    ASSERT_TRUE(back->ReadFromXML(Wide(path)));
    EXPECT_STREQ(back->GetDestProvider(), L"OSGeo.SDF");
}
