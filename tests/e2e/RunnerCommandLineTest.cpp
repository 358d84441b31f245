// The runner's command line through the real GXFCmd binary: what it prints,
// byte for byte, its exit code, and the files it writes or leaves alone.
#include "E2ESupport.h"

namespace {

namespace fs = std::filesystem;
using e2e::RunGXFCmd;

const std::string kHelp =
    "\nFDO Command line utility 1.0"
    "\nUsage: gxfcmd Command [Param1] [Param2] [ParamN]"
    "\nAvailable Commands: CreateDataStore ApplySchema ExportSchema CopyTask\n"
    "\n---- CreateDataStore Command: \n"
    "\nCreateDataStore <ProviderName> <DataStoreproperties>\n"
    "\nExample gxfcmd CreateDataStore \"OsGeo.SDF\" \"c:\\temp\\temp.sdf\" \n"
    "\n---- ApplySchema Command: \n"
    "\nApplySchema <Provider> <ConnectionString> <FileNameOfSchema>\n"
    "\nExample gxfcmd ApplySchema \"Norv.Oracle\" \"UserName=scott;Password=tiger;Service=localhost/orcl;\" "
    "\"c:\\temp\\fdoschema.xml\" \n"
    "\n---- ExportSchema Command: \n"
    "\nExportSchema Provider ConnectionString FileNameOfSchema [Classes]\n"
    "\nExample 1 copy all:"
    "\ngxfcmd ExportSchema \"Norv.Oracle\" \"UserName=scott;Password=tiger;Service=localhost/orcl;\" "
    "\"c:\\temp\\fdoschema.xml\" "
    "\nExample 2 Copy one class:"
    "\ngxfcmd ExportSchema \"OSGeo.SDF\" \"c:\\temp\\temp.sdf\" \"c:\\temp\\fdoschema.xml\" \"Class1\""
    "\nExample 3 Copy multiple classese:"
    "\ngxfcmd ExportSchema \"OSGeo.SDF\" \"c:\\temp\\temp.sdf\" \"c:\\temp\\fdoschema.xml\" \"Class1,Class2\""
    "\nExample 4 Copy all schema:"
    "\ngxfcmd ExportSchema \"OSGeo.SDF\" \"c:\\temp\\temp.sdf\" \"c:\\temp\\fdoschema.xml\" \"Schema1:*\"\n"
    "\n---- CopyTask Command: \n"
    "\nCopyTask <FileNameOfTask>"
    "\n\tRun copy proccess as described in a file 'FileNameOfTask'.\n"
    "\nExample gxfcmd CopyTask \"c:\\temp\\copydef.xml\" \n";

std::string HelpWithError(const std::string& error) { return "\nError Using GXFCmd: " + error + "\n" + kHelp; }

std::string WorldShp() { return (geoxfer_test::SampleDataDir() / "spData" / "shapes" / "world.shp").string(); }

}  // namespace

TEST(RunnerCommandLine, NoArgumentsPrintsHelpAloneAndFails) {
    auto run = RunGXFCmd({});
    EXPECT_EQ(run.out, kHelp);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.find("Error Using GXFCmd"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(RunnerCommandLine, UnknownCommandIsNamedInTheHelp) {
    auto run = RunGXFCmd({"CopyTasks", "x.xml"});
    EXPECT_EQ(run.out, HelpWithError("Uknown Command!"));
    EXPECT_EQ(run.exitCode, 1);
}

TEST(RunnerCommandLine, WrongParameterCountsAreRejectedPerCommand) {
    struct Case {
        std::vector<std::string> args;
        std::string command;
    };
    const std::vector<Case> cases = {
        {{"CreateDataStore", "OSGeo.SDF"}, "CreateDataStore"},
        {{"CreateDataStore", "OSGeo.SDF", "File=a.sdf", "extra"}, "CreateDataStore"},
        {{"ApplySchema", "OSGeo.SDF", "File=a.sdf"}, "ApplySchema"},
        {{"ApplySchema", "OSGeo.SDF", "File=a.sdf", "s.xml", "1", "2"}, "ApplySchema"},
        {{"ExportSchema", "OSGeo.SDF", "File=a.sdf"}, "ExportSchema"},
        {{"ExportSchema", "OSGeo.SDF", "File=a.sdf", "s.xml", "C1", "C2"}, "ExportSchema"},
        {{"CopyTask"}, "CopyTask"},
    };
    for (const Case& c : cases) {
        auto run = RunGXFCmd(c.args);
        EXPECT_EQ(run.out, HelpWithError("Wrong Number of Parameters for '" + c.command + "'!")) << c.args.size();
        EXPECT_EQ(run.exitCode, 1);
    }
}

TEST(RunnerCommandLine, CopyTaskWithTwoFilesStartsNoCopy) {
    const auto dir = geoxfer_test::TempDir("e2e-two-tasks");
    e2e::CopyTask task;
    task.sourceConn = e2e::ShpConn(WorldShp());
    task.destConn = e2e::SdfConn(dir / "out.sdf");
    task.classes = {{"world", "world", "", {}}};
    const auto file = e2e::WriteCopyTask(dir / "task.xml", task);
    auto run = RunGXFCmd({"CopyTask", file.string(), file.string()});
    EXPECT_EQ(run.out, HelpWithError("Wrong Number of Parameters for 'CopyTask'!"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "out.sdf"));
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, CommandWordIgnoresCase) {
    const auto dir = geoxfer_test::TempDir("e2e-case");
    for (const char* word : {"CREATEDATASTORE", "createdatastore", "CreateDataStore"}) {
        const auto file = dir / (std::string(word) + ".sdf");
        auto run = RunGXFCmd({word, "OSGeo.SDF", "File=" + file.string()});
        EXPECT_EQ(run.out, "\nCreate Data Store OK.") << word;
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(fs::exists(file));
    }
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, CreateDataStoreFailurePrintsTheEngineText) {
    const auto dir = geoxfer_test::TempDir("e2e-create-fail");
    auto run = RunGXFCmd({"CreateDataStore", "No.Such.Provider", "File=x.sdf"});
    EXPECT_EQ(run.out, "\nCreate Data Store Error: Unable to Create Source Connection");
    EXPECT_EQ(run.exitCode, 1);
    // An existing SDF file is refused by the provider and stays as it was.
    const auto file = dir / "exists.sdf";
    ASSERT_EQ(RunGXFCmd({"CreateDataStore", "OSGeo.SDF", "File=" + file.string()}).exitCode, 0);
    const auto before = fs::file_size(file);
    run = RunGXFCmd({"CreateDataStore", "OSGeo.SDF", "File=" + file.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.rfind("\nCreate Data Store Error: ", 0), 0u) << run.out;
    EXPECT_GT(run.out.size(), std::string("\nCreate Data Store Error: ").size());
    EXPECT_EQ(fs::file_size(file), before);
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, UnreadableTaskFileFailsWithTheReadText) {
    const auto dir = geoxfer_test::TempDir("e2e-bad-task");
    const auto missing = dir / "missing.xml";
    auto run = RunGXFCmd({"CopyTask", missing.string()});
    EXPECT_EQ(run.out, "\nRunning Copy Task: " + missing.string() + "\nCopy Error: Error reading Task File");
    EXPECT_EQ(run.exitCode, 1);

    const auto broken = dir / "broken.xml";
    e2e::WriteAll(broken, "<FdoCopyTask><SourceConnection>");
    run = RunGXFCmd({"CopyTask", broken.string()});
    EXPECT_EQ(run.out, "\nRunning Copy Task: " + broken.string() + "\nCopy Error: Error reading Task File");
    EXPECT_EQ(run.exitCode, 1);
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, TaskFileNameIsPrintedAsTextNotAsFormat) {
    const auto dir = geoxfer_test::TempDir("e2e-format");
    // Format directives and non-ASCII letters come back exactly as given.
    const auto odd = dir / (std::string("100%s %d %n t\xc3\xa2") + "che.xml");
    auto run = RunGXFCmd({"CopyTask", odd.string()});
    EXPECT_EQ(run.out, "\nRunning Copy Task: " + odd.string() + "\nCopy Error: Error reading Task File");
    EXPECT_EQ(run.exitCode, 1);
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, CopyOfNothingSucceedsWithZero) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/world.shp");
    const auto dir = geoxfer_test::TempDir("e2e-copy-nothing");
    e2e::CopyTask task;
    task.sourceConn = e2e::ShpConn(WorldShp());
    task.destConn = e2e::SdfConn(dir / "out.sdf");
    task.classes = {{"world", "world", "name_long = 'No such country'", {}}};
    const auto file = e2e::WriteCopyTask(dir / "task.xml", task);
    auto run = RunGXFCmd({"CopyTask", file.string()});
    EXPECT_EQ(run.out, "\nRunning Copy Task: " + file.string() + "\nCopy no errors. Copied 0 features");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");  // no progress when standard error is not a terminal
    EXPECT_EQ(e2e::FeatureCount({dir / "out.sdf", "world"}), 0);
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, LongErrorTextsAreCutTo500Characters) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/world.shp");
    const auto dir = geoxfer_test::TempDir("e2e-long-error");
    // The destination class name comes back in the error text.
    const std::string longName(700, 'Q');
    e2e::CopyTask task;
    task.sourceConn = e2e::ShpConn(WorldShp());
    task.destConn = e2e::SdfConn(dir / "out.sdf");
    task.executeApplySchema = false;
    task.magicClassName = false;
    task.classes = {{"world", longName, "", {}}};
    const auto file = e2e::WriteCopyTask(dir / "task.xml", task);
    auto run = RunGXFCmd({"CopyTask", file.string()});
    const std::string prefix = "\nRunning Copy Task: " + file.string() + "\nCopy Error: ";
    ASSERT_EQ(run.out.rfind(prefix, 0), 0u) << run.out;
    const std::string text = run.out.substr(prefix.size());
    EXPECT_EQ(text.size(), 500u);
    EXPECT_EQ(text, ("c_FDO_Api::CopyFdoClass: Unable to find Class '" + longName).substr(0, 500));
    EXPECT_EQ(run.exitCode, 1);
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, UnitTestIsSilentAndAlwaysSucceeds) {
    const auto dir = geoxfer_test::TempDir("e2e-unittest");
    auto run = RunGXFCmd({"UnitTest", "ignored", "too"}, dir);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitCode, 0);
    // With a task that fails, still nothing and 0.
    e2e::WriteAll(dir / "copy_sp_rdcl.xml", "<FdoCopyTask/>");
    run = RunGXFCmd({"unittest"}, dir);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitCode, 0);
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, ApplySchemaIgnoresItsFourthValue) {
    SHARED_DATA_OR_SKIP("fdo-schemas/hawaii_schema.xml");
    const auto dir = geoxfer_test::TempDir("e2e-apply");
    const auto schema = (geoxfer_test::SharedDataDir() / "fdo-schemas" / "hawaii_schema.xml").string();
    std::vector<std::string> outputs;
    for (const std::vector<std::string>& extra : std::vector<std::vector<std::string>>{{}, {"abc"}, {" -42x"}}) {
        const auto file = dir / ("s" + std::to_string(outputs.size()) + ".sdf");
        ASSERT_EQ(RunGXFCmd({"CreateDataStore", "OSGeo.SDF", "File=" + file.string()}).exitCode, 0);
        std::vector<std::string> args = {"ApplySchema", "OSGeo.SDF", "File=" + file.string(), schema};
        args.insert(args.end(), extra.begin(), extra.end());
        auto run = RunGXFCmd(args);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        outputs.push_back(run.out);
    }
    EXPECT_EQ(outputs[0], "\nApply Schema no errors.");
    EXPECT_EQ(outputs[1], outputs[0]);
    EXPECT_EQ(outputs[2], outputs[0]);
    fs::remove_all(dir);
}

TEST(RunnerCommandLine, ExportSchemaWithAndWithoutClassList) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/world.shp");
    const auto dir = geoxfer_test::TempDir("e2e-export");
    const auto folder = dir / "shapes";
    fs::create_directories(folder);
    e2e::CopyShapeFileSet(geoxfer_test::SampleDataDir() / "spData" / "shapes" / "world.shp", folder);
    e2e::CopyShapeFileSet(geoxfer_test::SampleDataDir() / "spData" / "shapes" / "eire.shp", folder);
    const auto all = dir / "all.xml", one = dir / "one.xml";
    auto run = RunGXFCmd({"ExportSchema", "OSGeo.SHP", e2e::ShpConn(folder), all.string()});
    EXPECT_EQ(run.out, "\nExport Schema no errors.");
    EXPECT_EQ(run.exitCode, 0);
    run = RunGXFCmd({"exportschema", "OSGeo.SHP", e2e::ShpConn(folder), one.string(), "eire"});
    EXPECT_EQ(run.out, "\nExport Schema no errors.");
    const std::string allText = e2e::ReadAll(all), oneText = e2e::ReadAll(one);
    EXPECT_NE(allText.find("worldType"), std::string::npos);
    EXPECT_NE(allText.find("eireType"), std::string::npos);
    EXPECT_EQ(oneText.find("worldType"), std::string::npos);
    EXPECT_NE(oneText.find("eireType"), std::string::npos);

    run = RunGXFCmd({"ExportSchema", "OSGeo.SHP", e2e::ShpConn(dir / "nowhere"), (dir / "x.xml").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.rfind("\nExport Schema Error: ", 0), 0u) << run.out;
    fs::remove_all(dir);
}
