// Bad input: malformed, truncated, hostile and semantically wrong documents
// raise an FdoException naming the file and the problem; thousands of
// mutated real documents give only success or FdoException; and every seed
// of the fuzz corpus is replayed, so a saved fuzzer crash stays fixed.
#include "SchemaXmlTestSupport.h"
#include "TestData.h"

#include <chrono>
#include <fstream>
#include <iterator>

using namespace schema_xml_test;

namespace {

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> XmlFiles(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::exists(dir))
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Reads xml; success or FdoException are fine. A successful read must also
// write and read back to an equal collection. Returns false (with a test
// failure) on anything else.
bool ReadsOrFailsCleanly(const std::string& xml, const std::string& label) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        FdoXmlSchemaIO::ReadString(schemas, xml, L"mutant");
    } catch (FdoException* e) {
        std::string text = Text(e);
        if (!Contains(text, "mutant")) {
            ADD_FAILURE() << label << ": error does not name the source: " << text;
            return false;
        }
        return true;
    }
    try {
        std::string written = FdoXmlSchemaIO::WriteString(schemas);
        FdoPtr<FdoFeatureSchemaCollection> back = FdoFeatureSchemaCollection::Create(nullptr);
        FdoXmlSchemaIO::ReadString(back, written, L"written");
        FdoStringP diff = FdoCommonSchemaCompare::Compare(schemas, back);
        if (!diff.IsEmpty()) {
            ADD_FAILURE() << label << ": written text reads back different: " << (const char*)diff;
            return false;
        }
    } catch (FdoException* e) {
        ADD_FAILURE() << label << ": read but did not write and read back: " << Text(e);
        return false;
    }
    return true;
}

// splitmix64: the same mutations on every platform and run.
struct Random {
    uint64_t state;
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }
};

std::string Mutate(const std::string& in, Random& r) {
    std::string s = in;
    size_t pos = r.Below(s.size());
    switch (r.Below(5)) {
        case 0:  // flip a bit
            if (!s.empty()) s[pos] = static_cast<char>(s[pos] ^ (1 << r.Below(8)));
            break;
        case 1:  // truncate
            s.resize(pos);
            break;
        case 2:  // delete a span
            s.erase(pos, 1 + r.Below(64));
            break;
        case 3: {  // duplicate a span somewhere else
            std::string span = s.substr(pos, 1 + r.Below(200));
            s.insert(r.Below(s.size() + 1), span);
            break;
        }
        default:  // overwrite a byte with markup
            if (!s.empty()) s[pos] = "<>/\"'=:&- x"[r.Below(11)];
            break;
    }
    return s;
}

}  // namespace

TEST(SchemaXmlErrors, MalformedXmlNamesSourceLineAndColumn) {
    std::string error = ReadError(Schema("<xs:complexType name=\"AType\"><xs:sequence></xs:complexType>"), L"broken.xml");
    EXPECT_TRUE(Contains(error, "broken.xml")) << error;
    EXPECT_TRUE(Contains(error, "line 1, column")) << error;
    try {
        FdoPtr<FdoFeatureSchemaCollection> s = Read("<unclosed", L"tiny.xml");
        FAIL();
    } catch (FdoXmlException* e) {
        EXPECT_TRUE(Contains(Text(e), "tiny.xml"));
    }
    EXPECT_TRUE(Contains(ReadError("", L"empty.xml"), "empty.xml"));
}

TEST(SchemaXmlErrors, TruncatedAndMissingFilesNameTheFile) {
    SHARED_DATA_OR_SKIP("fdo-schemas");
    std::string full = Slurp(geoxfer_test::SharedDataDir() / "fdo-schemas" / "schema_all_v2.xml");
    auto dir = geoxfer_test::TempDir("schema-xml-errors");
    for (size_t cut : {size_t(10), full.size() / 3, full.size() - 20}) {
        auto file = dir / ("cut_" + std::to_string(cut) + ".xml");
        std::ofstream(file, std::ios::binary) << full.substr(0, cut);
        FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
        try {
            FdoXmlSchemaIO::Read(schemas, FdoStringP(file.string().c_str()));
            ADD_FAILURE() << "a truncated file must not read: " << cut;
        } catch (FdoException* e) {
            std::string text = Text(e);
            EXPECT_TRUE(Contains(text, file.string())) << text;
        }
        EXPECT_EQ(schemas->GetCount(), 0) << "a failed read leaves the collection alone";
    }
    auto missing = dir / "no-such-file.xml";
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        FdoXmlSchemaIO::Read(schemas, FdoStringP(missing.string().c_str()));
        FAIL() << "a missing file must not read";
    } catch (FdoException* e) {
        std::string text = Text(e);
        EXPECT_TRUE(Contains(text, missing.string())) << text;
    }
    std::filesystem::remove_all(dir);
}

TEST(SchemaXmlErrors, HostileDocumentsAreRefusedQuickly) {
    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\">";
    for (int i = 1; i < 10; i++) {
        std::string prev = i == 1 ? "a" : "a" + std::to_string(i - 1);
        bomb += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; k++) bomb += "&" + prev + ";";
        bomb += "\">";
    }
    bomb += "]>" + Schema("<xs:annotation><xs:documentation>&a9;</xs:documentation></xs:annotation>");
    std::string external = "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY e SYSTEM \"file:///etc/hostname\">]>" +
                           Schema("<xs:annotation><xs:documentation>&e;</xs:documentation></xs:annotation>");
    std::string opens;
    for (int i = 0; i < 100000; i++) opens += "<a>";
    std::string deep = Schema(opens);
    for (const std::string& xml : {bomb, external, deep}) {
        auto start = std::chrono::steady_clock::now();
        std::string error = ReadError(xml, L"hostile.xml");
        EXPECT_TRUE(Contains(error, "hostile.xml")) << error;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    }
}

TEST(SchemaXmlErrors, SemanticErrorsNameClassPropertyAndValue) {
    std::string facet = ReadError(FeatureClass(R"(<xs:element name="Code"><xs:simpleType>
        <xs:restriction base="xs:string"><xs:maxLength value="ten"/></xs:restriction></xs:simpleType></xs:element>)"));
    EXPECT_TRUE(Contains(facet, "inline.xml") && Contains(facet, "S:C") && Contains(facet, "'Code'") &&
                Contains(facet, "ten"))
        << facet;
    std::string key = ReadError(Schema(R"(<xs:element name="K" type="S:KType"><xs:key name="KKey">
        <xs:selector xpath=".//K"/><xs:field xpath="Nope"/></xs:key></xs:element>
        <xs:complexType name="KType"><xs:sequence><xs:element name="Id" type="xs:int"/></xs:sequence></xs:complexType>)"));
    EXPECT_TRUE(Contains(key, "S:K") && Contains(key, "Nope")) << key;
    std::string geometry = ReadError(FeatureClass("", R"(fdo:geometryName="Shape")"));
    EXPECT_TRUE(Contains(geometry, "Shape")) << geometry;
    std::string noNamespace = ReadError(R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema"/>)");
    EXPECT_TRUE(Contains(noNamespace, "targetNamespace")) << noNamespace;
    std::string twice = ReadError(Schema(R"(<xs:complexType name="AType"/><xs:complexType name="AType"/>)"));
    EXPECT_TRUE(Contains(twice, "AType")) << twice;
}

TEST(SchemaXmlErrors, MutatedDocumentsReadOrFailCleanly) {
    std::vector<std::string> seeds;
    for (const auto& file : XmlFiles(geoxfer_test::SourceDir() / "fuzz" / "corpus" / "schema_xml"))
        seeds.push_back(Slurp(file));
    for (const auto& file : XmlFiles(geoxfer_test::SharedDataDir() / "fdo-schemas")) seeds.push_back(Slurp(file));
    ASSERT_FALSE(seeds.empty());
    Random r{20240611};
    // About 4000 mutations in all; big files get fewer, so they do not dominate the time.
    int failures = 0;
    for (size_t i = 0; i < seeds.size() && failures < 5; i++) {
        size_t rounds = std::max<size_t>(60, 600 * 2000 / (seeds[i].size() + 2000));
        for (size_t k = 0; k < rounds && failures < 5; k++) {
            std::string mutant = Mutate(seeds[i], r);
            if (r.Below(3) == 0) mutant = Mutate(mutant, r);
            if (!ReadsOrFailsCleanly(mutant, "seed " + std::to_string(i) + " mutation " + std::to_string(k))) {
                failures++;
                std::ofstream(std::filesystem::temp_directory_path() /
                                  ("schema-xml-mutant-" + std::to_string(i) + "-" + std::to_string(k) + ".xml"),
                              std::ios::binary)
                    << mutant;
            }
        }
    }
}

TEST(SchemaXmlErrors, FuzzCorpusReplays) {
    auto files = XmlFiles(geoxfer_test::SourceDir() / "fuzz" / "corpus" / "schema_xml");
    ASSERT_FALSE(files.empty()) << "the seed corpus is missing";
    for (const auto& file : files) {
        std::string xml = Slurp(file);
        EXPECT_TRUE(ReadsOrFailsCleanly(xml, file.filename().string()));
        try {
            FdoXmlSpatialContextIO::ReadString(xml, L"corpus");
        } catch (FdoException* e) {
            e->Release();
        }
    }
}
