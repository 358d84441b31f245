// Task files are user input: hostile and damaged files must read (or fail
// to read) quickly and quietly, without touching anything outside the file.
// The seeds of the copy task fuzzer are replayed here, and mutated.
#include "CopyTaskTestSupport.h"

#include <TestData.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <vector>

using namespace copytask_test;

namespace {

class CopyTaskXmlRobustness : public ::testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("copytask-xml-robust"); }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::filesystem::path m_dir;
};

std::filesystem::path CorpusDir() { return geoxfer_test::SourceDir() / "fuzz" / "corpus" / "copytask_xml"; }

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir()))
        if (entry.is_regular_file()) paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());  // fixed order keeps the mutations reproducible
    for (const auto& p : paths) files.push_back(ReadFile(p));
    return files;
}

// A task that read must write and read back unchanged.
void ExpectStableRoundTrip(const std::filesystem::path& dir, c_GXFCopyTaskDef* task, const std::string& input) {
    try {
        FdoPtr<c_GXFCopyTaskDef> back = RoundTrip(dir, task);
        EXPECT_EQ(Dump(task), Dump(back)) << input;
    } catch (FdoException* e) {
        // Only text that XML 1.0 cannot carry may refuse to be written.
        EXPECT_STREQ(e->GetExceptionMessage(), L"c_GXFCopyTaskDef::WriteToXML: DOMException") << input;
        e->Release();
    }
}

}  // namespace

TEST_F(CopyTaskXmlRobustness, ExternalEntitiesAndDtdsAreNeverLoaded) {
    const auto secret = m_dir / "secret.txt";
    WriteFile(secret, "SECRET");
    const std::string xml =
        "<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE FdoCopyTask SYSTEM \"" + (m_dir / "missing.dtd").string() + "\" [\n"
        "  <!ENTITY leak SYSTEM \"file://" + secret.string() + "\">\n"
        "  <!ENTITY % remote SYSTEM \"http://127.0.0.1:9/x.dtd\">\n"
        "  %remote;\n"
        "  <!ENTITY name \"OSGeo.SDF\">\n"
        "]>\n"
        "<FdoCopyTask><SourceConnection><FdoProvider>&leak;</FdoProvider>"
        "<FdoConnectionString>x&leak;</FdoConnectionString></SourceConnection>"
        "<ClassCopyDefinition><SourceClassName>&name;</SourceClassName>&leak;</ClassCopyDefinition>"
        "</FdoCopyTask>";
    bool ok = false;
    FdoPtr<c_GXFCopyTaskDef> task = TaskFromText(m_dir, xml, &ok);
    EXPECT_TRUE(ok);
    EXPECT_STREQ(task->GetSourceProvider(), L"");
    EXPECT_STREQ(task->GetSourceConnString(), L"x");
    FdoStringP classes;
    task->GetSourceClassesAsString(classes);
    EXPECT_EQ(classes.Str().find(L"SECRET"), std::wstring::npos);
}

TEST_F(CopyTaskXmlRobustness, EntityExpansionBombIsRefused) {
    std::string xml = "<?xml version=\"1.0\"?><!DOCTYPE FdoCopyTask [<!ENTITY e0 \"TRUE\">";
    for (int i = 1; i < 10; i++) {
        xml += "<!ENTITY e" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; j++) xml += "&e" + std::to_string(i - 1) + ";";
        xml += "\">";
    }
    xml += "]><FdoCopyTask><SourceConnection><FdoProvider>&e9;</FdoProvider></SourceConnection></FdoCopyTask>";
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    FdoPtr<c_GXFCopyTaskDef> task = TaskFromText(m_dir, xml, &ok);
    EXPECT_FALSE(ok);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST_F(CopyTaskXmlRobustness, DeepNestingNeitherOverflowsNorCrawls) {
    const int depth = 200000;
    std::string xml = "<FdoCopyTask>";
    for (int i = 0; i < depth; i++) xml += "<ClassCopyDefinition>";
    xml += "<SourceClassName>Bottom</SourceClassName><PropertyCopyDefinition/>";
    for (int i = 0; i < depth; i++) xml += "</ClassCopyDefinition>";
    xml += "<SourceConnection>";
    for (int i = 0; i < depth; i++) xml += "<x>";
    xml += "<FdoProvider>deep</FdoProvider>";
    for (int i = 0; i < depth; i++) xml += "</x>";
    xml += "</SourceConnection></FdoCopyTask>";

    const auto start = std::chrono::steady_clock::now();
    bool ok = false;
    FdoPtr<c_GXFCopyTaskDef> task = TaskFromText(m_dir, xml, &ok);
    ASSERT_TRUE(ok);
    // Linear work takes about a second; a rescan per level would take hours.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_STREQ(task->GetSourceProvider(), L"deep");

    // Every nested section is a class definition of its own, and each
    // finds the first name and the one mapping below it.
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    ASSERT_EQ(classes->GetCount(), depth);
    for (FdoInt32 i : {0, depth / 2, depth - 1}) {
        FdoPtr<c_GXFClassCopyDef> def = classes->GetItem(i);
        EXPECT_STREQ(def->GetSourceClassName(), L"Bottom");
        FdoPtr<c_GXFPropertyCopyDefCollection> props = def->GetPropertyCopyDefCollection();
        EXPECT_EQ(props->GetCount(), 1);
    }
}

TEST_F(CopyTaskXmlRobustness, CorpusFilesRead) {
    const auto files = CorpusFiles();
    ASSERT_GE(files.size(), 5u) << CorpusDir();
    int read = 0;
    for (const std::string& input : files) {
        bool ok = false;
        FdoPtr<c_GXFCopyTaskDef> task = TaskFromText(m_dir, input, &ok);
        if (!ok) continue;
        read++;
        ExpectStableRoundTrip(m_dir, task, input);
    }
    EXPECT_GE(read, static_cast<int>(files.size()) - 2) << "only the deliberately broken seeds may fail";
}

TEST_F(CopyTaskXmlRobustness, CorpusFullTaskReadsAsWritten) {
    bool ok = false;
    FdoPtr<c_GXFCopyTaskDef> task = TaskFromText(m_dir, ReadFile(CorpusDir() / "full_task.xml"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_STREQ(task->GetSourceProvider(), L"OSGeo.SHP.3.3");
    EXPECT_STREQ(task->GetDestConnString(), L"File=/data/out/roads.sdf");
    FdoStringP classes;
    EXPECT_EQ(task->GetSourceClassesAsString(classes), 2);
    EXPECT_STREQ(classes, L"Roads,Rivers");
    EXPECT_FALSE(task->GetCreateSpatialContext());
    EXPECT_TRUE(task->GetDeleteDestinationData());
    EXPECT_TRUE(task->GetSDF_Attr_OverwriteFile());
    EXPECT_EQ(task->GetOracle_Attr_SRID(), 8307);
}

// Deterministic mutations of the seeds. Two in three edit whole lines
// (drop, repeat, swap, borrow from another seed), which mostly keeps the
// file well-formed and so exercises the reading rules; the others edit
// bytes and insert XML tokens, which exercises the parser's failure paths.
// ReadFromXML must return, and what it reads must survive a write and a
// second read.
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

class Mutator {
public:
    explicit Mutator(std::vector<std::string> seeds) : m_seeds(std::move(seeds)) {}

    std::string Next() {
        std::string input = m_seeds[Pick(m_seeds.size())];
        const bool byLine = Pick(3) != 0;
        const int edits = 1 + static_cast<int>(Pick(byLine ? 2 : 3));
        for (int e = 0; e < edits; e++) input = byLine ? EditLines(input) : EditBytes(input);
        return input;
    }

private:
    size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_rng); }

    std::string EditLines(const std::string& input) {
        std::vector<std::string> lines = Lines(input);
        const size_t at = Pick(lines.size() + 1);
        switch (Pick(4)) {
            case 0:
                if (at < lines.size()) lines.erase(lines.begin() + static_cast<long>(at));
                break;
            case 1:
                if (at < lines.size()) lines.insert(lines.begin() + static_cast<long>(at), lines[at]);
                break;
            case 2:
                if (!lines.empty()) std::swap(lines[Pick(lines.size())], lines[Pick(lines.size())]);
                break;
            default: {
                std::vector<std::string> other = Lines(m_seeds[Pick(m_seeds.size())]);
                if (!other.empty()) lines.insert(lines.begin() + static_cast<long>(at), other[Pick(other.size())]);
                break;
            }
        }
        std::string out;
        for (const auto& line : lines) out += line;
        return out;
    }

    std::string EditBytes(std::string input) {
        static const std::vector<std::string> tokens = {
            "<ClassCopyDefinition>", "</ClassCopyDefinition>", "<PropertyCopyDefinition>", "<SourceConnection>",
            "<FdoProvider>", "</FdoProvider>", "<CopyTaskAttributes>", "<Oracle_SRID>", "<![CDATA[", "]]>",
            "<!--", "-->", "&amp;", "&#0;", "&#xD800;", "&undefined;", "<?pi x?>", "\xC3\x28", "\xEF\xBB\xBF",
            "<!DOCTYPE a [<!ENTITY x \"<b>\">]>", "&x;", "TRUE", "-2147483649", std::string("\0", 1), "\r\n",
            ">", "<"};
        const size_t at = Pick(input.size() + 1);
        switch (Pick(4)) {
            case 0:
                if (at < input.size()) input[at] = static_cast<char>(Pick(256));
                break;
            case 1:
                input.erase(at, Pick(32));
                break;
            case 2:
                input.insert(at, input.substr(Pick(input.size() + 1), Pick(64)));
                break;
            default:
                input.insert(at, tokens[Pick(tokens.size())]);
                break;
        }
        return input;
    }

    std::vector<std::string> m_seeds;
    std::mt19937 m_rng{20240611u};
};

}  // namespace

TEST_F(CopyTaskXmlRobustness, MutatedCorpusNeverCrashes) {
    Mutator mutator(CorpusFiles());
    const int kMutations = 3000;
    int read = 0;
    for (int m = 0; m < kMutations; m++) {
        const std::string input = mutator.Next();
        bool ok = false;
        FdoPtr<c_GXFCopyTaskDef> task = TaskFromText(m_dir, input, &ok);
        if (!ok) continue;
        read++;
        ExpectStableRoundTrip(m_dir, task, input);
        if (HasFailure()) break;  // one reproducer is enough
    }
    EXPECT_GT(read, kMutations / 10) << "too few mutations still read: the round trip went untested";
}
