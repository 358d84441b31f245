// What the end-to-end tests share: running the real GXFCmd binary, writing
// copy task files, and comparing two data stores feature by feature through
// GDAL, which reads shape files and SDF files (GeoPackages inside) without
// any of this project's code in the way.
//
//   auto run = e2e::RunGXFCmd({"CopyTask", task.string()});
//   EXPECT_EQ(run.exitCode, 0) << run.out;
//   e2e::ExpectSameFeatures(e2e::Layer{a, "world"}, e2e::Layer{b, "world"});
#pragma once

#include "TestData.h"

#include <ogrsf_frmts.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <sys/wait.h>

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;

// ---------------------------------------------------------------- running GXFCmd

struct RunResult {
    std::string out;  // standard output, byte for byte
    std::string err;  // standard error
    int exitCode = -1;
};

inline std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline fs::path GXFCmdPath() { return GXFCMD_PATH; }

// Runs GXFCmd with the arguments (program name not included) in workDir
// (default: the current folder) and waits for it. Standard input is
// /dev/null; standard output and error are captured through files, so no
// pipe can fill up whatever the program writes.
inline RunResult RunGXFCmd(const std::vector<std::string>& args, const fs::path& workDir = {}) {
    static int serial = 0;
    const fs::path scratch = fs::temp_directory_path() /
                             ("geoxfer-e2e-run-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    fs::create_directories(scratch);
    const std::string outFile = (scratch / "stdout").string(), errFile = (scratch / "stderr").string();

    std::vector<std::string> argvText{GXFCmdPath().string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string dir = workDir.empty() ? std::string() : workDir.string();
    if (!dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());

    RunResult result;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.err = "cannot start " + argvText[0];
        fs::remove_all(scratch);
        return result;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadAll(outFile);
    result.err = ReadAll(errFile);
    fs::remove_all(scratch);
    return result;
}

// ---------------------------------------------------------------- copy task files

struct PropertyMapping {
    std::string source;
    std::string dest;
};

struct ClassCopy {
    std::string source;
    std::string dest;
    std::string filter;
    std::vector<PropertyMapping> mappings;
};

// A copy task as its file holds it; defaults are those of a new task.
struct CopyTask {
    std::string sourceProvider = "OSGeo.SHP";
    std::string sourceConn;
    std::string destProvider = "OSGeo.SDF";
    std::string destConn;
    std::vector<ClassCopy> classes;
    bool executeApplySchema = true;
    std::string applySchemaXml;
    bool createSpatialContext = true;
    bool magicClassName = true;
    bool magicDataTypes = true;
    bool sdfCreateIfMissing = true;
    bool sdfOverwrite = false;
    std::string oracleSrid;  // empty: none
};

inline std::string XmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

inline std::string ToXml(const CopyTask& t) {
    auto e = [](const std::string& name, const std::string& value) {
        return "<" + name + ">" + XmlEscape(value) + "</" + name + ">";
    };
    auto b = [&](const std::string& name, bool value) { return e(name, value ? "TRUE" : "FALSE"); };
    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FdoCopyTask>\n";
    x += "<SourceConnection>" + e("FdoProvider", t.sourceProvider) + e("FdoConnectionString", t.sourceConn) +
         "</SourceConnection>\n";
    x += "<DestinationConnection>" + e("FdoProvider", t.destProvider) + e("FdoConnectionString", t.destConn) +
         "</DestinationConnection>\n";
    for (const ClassCopy& c : t.classes) {
        x += "<ClassCopyDefinition>" + e("SourceClassName", c.source) + e("DestinationClassName", c.dest) +
             e("CopyFilter", c.filter);
        for (const PropertyMapping& m : c.mappings)
            x += "<PropertyCopyDefinition>" + e("SourcePropertyName", m.source) +
                 e("DestinationPropertyName", m.dest) + "</PropertyCopyDefinition>";
        x += "</ClassCopyDefinition>\n";
    }
    x += "<CopyTaskAttributes>" + b("ExecuteApplySchema", t.executeApplySchema) +
         e("ApplySchemaXMLFile", t.applySchemaXml) + b("CreateSpatialContext", t.createSpatialContext) +
         e("SpatialContextXMLFile", "") + b("MagicClassName", t.magicClassName) +
         b("MagicDataTypes", t.magicDataTypes) + b("DeleteDestinationData", false) + "</CopyTaskAttributes>\n";
    x += "<CopyToSDFAttributes>" + b("SDF_CreateFileIfMissing", t.sdfCreateIfMissing) +
         b("SDF_OverwriteFile", t.sdfOverwrite) + "</CopyToSDFAttributes>\n";
    x += "<CopyToOracleAttributes>" + e("Oracle_SRID", t.oracleSrid) + "</CopyToOracleAttributes>\n</FdoCopyTask>\n";
    return x;
}

inline fs::path WriteCopyTask(const fs::path& file, const CopyTask& task) {
    WriteAll(file, ToXml(task));
    return file;
}

// Connection strings of the two file providers.
inline std::string ShpConn(const fs::path& folderOrFile) { return "DefaultFileLocation=" + folderOrFile.string() + ";"; }
inline std::string SdfConn(const fs::path& file) { return "File=" + file.string() + ";"; }

// Copies a shape file set (.shp .shx .dbf .prj .cpg, those present) into folder.
inline void CopyShapeFileSet(const fs::path& shp, const fs::path& folder) {
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj", ".cpg"}) {
        fs::path part = shp;
        part.replace_extension(ext);
        if (fs::exists(part)) fs::copy_file(part, folder / part.filename(), fs::copy_options::overwrite_existing);
    }
}

// Runs `GXFCmd CopyTask` on the task written to dir/name and expects success.
// Returns the number of features the runner reports, or -1.
inline long RunCopyTaskOk(const fs::path& dir, const std::string& name, const CopyTask& task) {
    const fs::path file = WriteCopyTask(dir / name, task);
    RunResult run = RunGXFCmd({"CopyTask", file.string()});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::string marker = "Copy no errors. Copied ";
    const auto at = run.out.find(marker);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no success text in: " << run.out;
        return -1;
    }
    return std::stol(run.out.substr(at + marker.size()));
}

// dir/name.shp made by GDAL from the CSV an awk BEGIN program prints, read
// with the CSV open options given; false when awk or ogr2ogr cannot.
inline bool ShapeFileFromAwk(const fs::path& dir, const std::string& name, const std::string& awkBegin,
                             const std::string& openOptions) {
    const std::string csv = (dir / (name + ".csv")).string();
    const std::string command = "awk 'BEGIN { " + awkBegin + " }' > \"" + csv +
                                "\" && ogr2ogr -q -f \"ESRI Shapefile\" \"" + (dir / (name + ".shp")).string() +
                                "\" \"" + csv + "\" " + openOptions + " -nln " + name + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

// The databases of the stand-ins live in the given data home while this
// lives; GXFCmd inherits it through the environment.
class DbHome {
public:
    explicit DbHome(const fs::path& dir) {
        if (const char* old = std::getenv("GEOXFER_DB_HOME")) m_old = old, m_had = true;
        setenv("GEOXFER_DB_HOME", dir.c_str(), 1);
    }
    ~DbHome() {
        if (m_had) setenv("GEOXFER_DB_HOME", m_old.c_str(), 1);
        else unsetenv("GEOXFER_DB_HOME");
    }
    DbHome(const DbHome&) = delete;
    DbHome& operator=(const DbHome&) = delete;

private:
    std::string m_old;
    bool m_had = false;
};

// Runs `GXFCmd CopyTask` on the task written to dir/name and expects it to
// fail; returns what it printed.
inline std::string RunCopyTaskFailing(const fs::path& dir, const std::string& name, const CopyTask& task) {
    const fs::path file = WriteCopyTask(dir / name, task);
    RunResult run = RunGXFCmd({"CopyTask", file.string()});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    return run.out + run.err;
}

// The GDAL connection text of the PostGIS server of the tests (GEOXFER_PG),
// empty when there is none.
inline std::string PostGis() {
    const char* pg = std::getenv("GEOXFER_PG");
    return pg ? pg : "";
}

// Runs one SQL statement on that server; false when it failed.
inline bool RunPgSql(const std::string& sql) {
    GDALAllRegister();
    GDALDatasetH pg = GDALOpenEx(PostGis().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, nullptr, nullptr, nullptr);
    if (!pg) return false;
    CPLErrorReset();
    GDALDatasetReleaseResultSet(pg, GDALDatasetExecuteSQL(pg, sql.c_str(), nullptr, nullptr));
    const bool ok = CPLGetLastErrorType() == CE_None;
    GDALClose(pg);
    return ok;
}

// ---------------------------------------------------------------- reading through GDAL

struct GdalDatasetCloser {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Dataset = std::unique_ptr<GDALDataset, GdalDatasetCloser>;

// Opens a data store read-only. GDAL's warning that an SDF file is a
// GeoPackage under another extension is expected and kept quiet.
inline Dataset OpenVector(const fs::path& path) {
    GDALAllRegister();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    Dataset ds(static_cast<GDALDataset*>(
        GDALOpenEx(path.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr)));
    CPLPopErrorHandler();
    return ds;
}

// A layer of a data store: a file (a shape file, or an SDF/GeoPackage file),
// a layer name (empty: the only or first layer) and an optional OGR
// attribute filter that selects the features looked at.
struct Layer {
    Layer(fs::path p, std::string n = "", std::string w = "")
        : path(std::move(p)), name(std::move(n)), where(std::move(w)) {}
    fs::path path;
    std::string name;
    std::string where;
};

inline OGRLayer* FindLayer(GDALDataset* ds, const std::string& name) {
    if (!ds) return nullptr;
    if (name.empty()) return ds->GetLayerCount() > 0 ? ds->GetLayer(0) : nullptr;
    if (OGRLayer* l = ds->GetLayerByName(name.c_str())) return l;
    for (int i = 0; i < ds->GetLayerCount(); i++)
        if (EQUAL(ds->GetLayer(i)->GetName(), name.c_str())) return ds->GetLayer(i);
    return nullptr;
}

// The layer of an open data set with the layer's filter applied, or null.
inline OGRLayer* FindLayer(GDALDataset* ds, const Layer& layer) {
    OGRLayer* l = FindLayer(ds, layer.name);
    if (l) l->SetAttributeFilter(layer.where.empty() ? nullptr : layer.where.c_str());
    return l;
}

inline long FeatureCount(const Layer& layer) {
    Dataset ds = OpenVector(layer.path);
    OGRLayer* l = FindLayer(ds.get(), layer);
    return l ? static_cast<long>(l->GetFeatureCount(TRUE)) : -1;
}

// Every ordinate of a geometry, in order, with the part structure flattened
// into a list of (x, y, z) and a part count for the shape.
struct Ordinates {
    std::vector<double> values;  // x, y, z per point
    int parts = 0;
    bool empty = true;
};

inline void CollectOrdinates(const OGRGeometry* g, Ordinates& out) {
    if (!g || g->IsEmpty()) return;
    out.empty = false;
    const OGRwkbGeometryType flat = wkbFlatten(g->getGeometryType());
    if (OGR_GT_IsSubClassOf(flat, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *g->toGeometryCollection()) CollectOrdinates(part, out);
    } else if (OGR_GT_IsSubClassOf(flat, wkbCurvePolygon)) {
        for (const OGRCurve* ring : *g->toCurvePolygon()) CollectOrdinates(ring, out);
    } else if (flat == wkbPoint) {
        const OGRPoint* p = g->toPoint();
        out.values.insert(out.values.end(), {p->getX(), p->getY(), p->getZ()});
        out.parts++;
    } else if (OGR_GT_IsSubClassOf(flat, wkbCurve)) {
        std::unique_ptr<OGRLineString> line(g->toCurve()->CurveToLine());
        for (int i = 0; i < line->getNumPoints(); i++)
            out.values.insert(out.values.end(), {line->getX(i), line->getY(i), line->getZ(i)});
        out.parts++;
    }
}

struct CompareOptions {
    // Destination field name per source field name; fields not listed keep
    // their names. A mapping to "" leaves the field out of the comparison.
    std::map<std::string, std::string> renames;
    // Compare only these source fields (empty: every source field).
    std::vector<std::string> onlyFields;
    // Largest allowed difference of ordinates and real values.
    double tolerance = 0.0;
    bool compareGeometry = true;
    // A database table keeps no row order: compare the features after
    // sorting both sides by the text of their compared fields.
    bool anyOrder = false;
};

inline std::string FieldText(OGRFeature* f, int i) {
    if (!f->IsFieldSetAndNotNull(i)) return "<null>";
    return f->GetFieldAsString(i);
}

inline bool IsNumeric(OGRFieldType t) { return t == OFTInteger || t == OFTInteger64 || t == OFTReal; }

// Expects the two layers to hold the same features in the same order (in
// any order with anyOrder): the same count, for every compared source field the same value in the
// destination field (numbers compared as numbers, everything else as text,
// nulls only with nulls), and the same geometry, ordinate by ordinate.
inline void ExpectSameFeatures(const Layer& source, const Layer& dest, const CompareOptions& options = {}) {
    Dataset sds = OpenVector(source.path), dds = OpenVector(dest.path);
    ASSERT_TRUE(sds) << "GDAL cannot open " << source.path;
    ASSERT_TRUE(dds) << "GDAL cannot open " << dest.path;
    OGRLayer* sl = FindLayer(sds.get(), source);
    OGRLayer* dl = FindLayer(dds.get(), dest);
    ASSERT_TRUE(sl) << "no layer '" << source.name << "' in " << source.path;
    ASSERT_TRUE(dl) << "no layer '" << dest.name << "' in " << dest.path;
    ASSERT_EQ(sl->GetFeatureCount(TRUE), dl->GetFeatureCount(TRUE)) << source.path << " vs " << dest.path;

    // Source field index -> destination field index.
    std::vector<std::pair<int, int>> fields;
    OGRFeatureDefn* sdef = sl->GetLayerDefn();
    OGRFeatureDefn* ddef = dl->GetLayerDefn();
    for (int i = 0; i < sdef->GetFieldCount(); i++) {
        std::string name = sdef->GetFieldDefn(i)->GetNameRef();
        if (!options.onlyFields.empty() &&
            std::find(options.onlyFields.begin(), options.onlyFields.end(), name) == options.onlyFields.end())
            continue;
        if (auto r = options.renames.find(name); r != options.renames.end()) {
            if (r->second.empty()) continue;
            name = r->second;
        }
        const int j = ddef->GetFieldIndex(name.c_str());
        ASSERT_GE(j, 0) << "field " << name << " missing in " << dest.path;
        fields.emplace_back(i, j);
    }

    auto readAll = [&](OGRLayer* layer, bool sourceSide) {
        std::vector<std::unique_ptr<OGRFeature>> all;
        layer->ResetReading();
        while (OGRFeature* f = layer->GetNextFeature()) all.emplace_back(f);
        if (options.anyOrder) {
            // Numbers keyed as numbers: a store that writes them as text
            // need not spell them as the source does.
            auto key = [&](const std::unique_ptr<OGRFeature>& f) {
                std::string k;
                for (auto [i, j] : fields) {
                    std::string text = FieldText(f.get(), sourceSide ? i : j);
                    char* end = nullptr;
                    const double number = std::strtod(text.c_str(), &end);
                    if (!text.empty() && end && *end == '\0') text = std::to_string(static_cast<float>(number));
                    k += text + "\x1f";
                }
                return k;
            };
            std::stable_sort(all.begin(), all.end(),
                             [&](const auto& x, const auto& y) { return key(x) < key(y); });
        }
        return all;
    };
    std::vector<std::unique_ptr<OGRFeature>> sources = readAll(sl, true), dests = readAll(dl, false);
    long index = 0;
    int failures = 0;
    for (;; index++) {
        const size_t at = static_cast<size_t>(index);
        OGRFeature* sf = at < sources.size() ? sources[at].get() : nullptr;
        OGRFeature* df = at < dests.size() ? dests[at].get() : nullptr;
        if (!sf || !df) {
            EXPECT_EQ(!sf, !df) << "feature " << index;
            break;
        }
        for (auto [i, j] : fields) {
            const OGRFieldType st = sdef->GetFieldDefn(i)->GetType(), dt = ddef->GetFieldDefn(j)->GetType();
            const bool sNull = !sf->IsFieldSetAndNotNull(i), dNull = !df->IsFieldSetAndNotNull(j);
            bool same;
            if (sNull || dNull)
                same = sNull == dNull;
            else if (IsNumeric(st) && IsNumeric(dt))
                same = std::fabs(sf->GetFieldAsDouble(i) - df->GetFieldAsDouble(j)) <= options.tolerance;
            else
                same = FieldText(sf, i) == FieldText(df, j);
            if (!same && failures++ < 10)
                ADD_FAILURE() << "feature " << index << " field " << sdef->GetFieldDefn(i)->GetNameRef() << ": "
                              << FieldText(sf, i) << " vs " << FieldText(df, j);
        }
        if (options.compareGeometry) {
            Ordinates a, b;
            CollectOrdinates(sf->GetGeometryRef(), a);
            CollectOrdinates(df->GetGeometryRef(), b);
            bool same = a.empty == b.empty && a.values.size() == b.values.size() && a.parts == b.parts;
            for (size_t k = 0; same && k < a.values.size(); k++)
                same = std::fabs(a.values[k] - b.values[k]) <= options.tolerance;
            if (!same && failures++ < 10)
                ADD_FAILURE() << "feature " << index << ": geometries differ (" << a.values.size() / 3 << " vs "
                              << b.values.size() / 3 << " points, " << a.parts << " vs " << b.parts << " parts)";
        }
        if (failures >= 10) break;
    }
}

}  // namespace e2e
