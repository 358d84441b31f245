// Every FDO schema file of the reference data applied through GXFCmd to a
// new SDF file and to a new shape file folder. Each either applies, and
// then exports again (the SDF export structurally equal to what FDO's XML
// reader makes of the file, the folder's export holding a shape file class
// for every class applied), or fails with the runner's text naming the
// element at fault and why. The outcome of each file is printed.
#include "E2ESupport.h"

#include <Fdo.h>

#include <iostream>

namespace {

namespace fs = std::filesystem;

FdoFeatureSchemaCollection* ReadSchemaFile(const fs::path& file) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    schemas->ReadXml(FdoStringP(file.string().c_str()));
    return FDO_SAFE_ADDREF(schemas.p);
}

bool NamesAnElement(const std::string& text) {
    return text.find("Class '") != std::string::npos || text.find("class '") != std::string::npos ||
           text.find("property '") != std::string::npos || text.find("Property '") != std::string::npos;
}

std::vector<fs::path> SchemaFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(geoxfer_test::SharedDataDir() / "fdo-schemas"))
        if (entry.path().extension() == ".xml") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(SchemaFiles, ApplyToSdfAndExportTheSameOrFailNamingTheElement) {
    SHARED_DATA_OR_SKIP("fdo-schemas");
    const fs::path work = geoxfer_test::TempDir("e2e-schema-files-sdf");
    int applied = 0;
    for (const fs::path& file : SchemaFiles()) {
        SCOPED_TRACE(file.filename().string());
        const fs::path sdf = work / (file.stem().string() + ".sdf");
        ASSERT_EQ(e2e::RunGXFCmd({"CreateDataStore", "OSGeo.SDF", "File=" + sdf.string()}).exitCode, 0);
        e2e::RunResult run = e2e::RunGXFCmd({"ApplySchema", "OSGeo.SDF", "File=" + sdf.string(), file.string()});
        std::cout << file.filename().string() << " -> SDF: " << (run.exitCode == 0 ? "applied" : run.out) << "\n";
        if (run.exitCode != 0) {
            EXPECT_TRUE(NamesAnElement(run.out)) << run.out;
            continue;
        }
        applied++;
        const fs::path exported = work / (file.stem().string() + "-exported.xml");
        ASSERT_EQ(e2e::RunGXFCmd({"ExportSchema", "OSGeo.SDF", "File=" + sdf.string(), exported.string()}).exitCode, 0);
        FdoPtr<FdoFeatureSchemaCollection> expected = ReadSchemaFile(file);
        FdoPtr<FdoFeatureSchemaCollection> actual = ReadSchemaFile(exported);
        if (expected->GetCount() == 0) continue;  // spatial contexts only
        // An SDF file holds one schema: the file's only one.
        FdoPtr<FdoFeatureSchema> want = expected->GetItem(0);
        FdoPtr<FdoFeatureSchema> got = actual->GetCount() > 0 ? actual->GetItem(0) : nullptr;
        ASSERT_TRUE(got);
        EXPECT_EQ(std::string(FdoStringP(FdoCommonSchemaCompare::CompareSchemas(want, got))), "");
    }
    EXPECT_GT(applied, 0);
    fs::remove_all(work);
}

TEST(SchemaFiles, ApplyToShapeFoldersOrFailNamingTheElement) {
    SHARED_DATA_OR_SKIP("fdo-schemas");
    const fs::path work = geoxfer_test::TempDir("e2e-schema-files-shp");
    int applied = 0;
    for (const fs::path& file : SchemaFiles()) {
        SCOPED_TRACE(file.filename().string());
        const fs::path folder = work / file.stem();
        fs::create_directories(folder);
        e2e::RunResult run = e2e::RunGXFCmd({"ApplySchema", "OSGeo.SHP", e2e::ShpConn(folder), file.string()});
        std::cout << file.filename().string() << " -> SHP: " << (run.exitCode == 0 ? "applied" : run.out) << "\n";
        if (run.exitCode != 0) {
            EXPECT_TRUE(NamesAnElement(run.out)) << run.out;
            continue;
        }
        applied++;
        FdoPtr<FdoFeatureSchemaCollection> expected = ReadSchemaFile(file);
        for (FdoInt32 i = 0; i < expected->GetCount(); i++) {
            FdoPtr<FdoFeatureSchema> schema = expected->GetItem(i);
            FdoPtr<FdoClassCollection> classes = schema->GetClasses();
            for (FdoInt32 k = 0; k < classes->GetCount(); k++) {
                FdoPtr<FdoClassDefinition> cls = classes->GetItem(k);
                const std::string name = FdoStringP::Utf8FromUnicode(cls->GetName());
                EXPECT_TRUE(fs::exists(folder / (name + ".shp")) || name.find_first_of("<>?*\\/:\"'|") != std::string::npos)
                    << name;
            }
        }
    }
    std::cout << applied << " schema files applied to shape file folders\n";
    fs::remove_all(work);
}

}  // namespace
