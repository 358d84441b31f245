// Opening and closing GDAL data sources under an error trap, so a failure
// names the file and carries GDAL's own explanation.
//
// Shape files opened for update are written without the end-of-file mark
// (0x1A) that GDAL otherwise writes after every appended record: writing
// it makes the attribute table step back one byte before each record,
// which costs the stdio buffer (a seek, a block read and a write per
// record, the larger part of a copy into shape files). The mark is put
// once when the data source closes, so the file on disk ends exactly as
// GDAL would have left it.
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrHandles.h>

#include <cpl_string.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace ogrcore {

namespace {

std::vector<const char*> CStrings(const std::vector<std::string>& values) {
    std::vector<const char*> out;
    for (const auto& v : values) out.push_back(v.c_str());
    out.push_back(nullptr);
    return out;
}

const char* const kShapeDriver = "ESRI Shapefile";

// Appends the end-of-file mark to a .dbf whose size is exactly its header
// and records (that is, which lacks the mark); any other file is left as it is.
void TerminateDbf(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) return;
    unsigned char header[12];
    if (std::fread(header, 1, sizeof header, f) == sizeof header && std::fseek(f, 0, SEEK_END) == 0) {
        const uint64_t records = uint64_t(header[4]) | uint64_t(header[5]) << 8 | uint64_t(header[6]) << 16 |
                                 uint64_t(header[7]) << 24;
        const uint64_t headerLength = uint64_t(header[8]) | uint64_t(header[9]) << 8;
        const uint64_t recordLength = uint64_t(header[10]) | uint64_t(header[11]) << 8;
        const long long size = ftello(f);
        if (size >= 0 && uint64_t(size) == headerLength + records * recordLength) std::fputc(0x1A, f);
    }
    std::fclose(f);
}

bool EndsWithDbf(const char* name) {
    const size_t n = std::strlen(name);
    return n > 4 && EQUAL(name + n - 4, ".dbf");
}

}  // namespace

std::string Utf8(FdoString* text) { return FdoStringP::Utf8FromUnicode(text ? text : L""); }

FdoStringP Wide(const char* utf8) { return FdoStringP(FdoStringP::Utf8ToUnicode(utf8 ? utf8 : "")); }

Dataset* Dataset::Open(const std::string& path, bool update, const std::vector<std::string>& drivers,
                       const std::vector<std::string>& openOptions) {
    ErrorTrap trap;
    const bool shapeFiles = update && drivers.size() == 1 && drivers[0] == kShapeDriver;
    std::vector<std::string> options = openOptions;
    if (shapeFiles) options.push_back("DBF_EOF_CHAR=NO");
    auto driverList = CStrings(drivers);
    auto optionList = CStrings(options);
    unsigned flags = GDAL_OF_VECTOR | (update ? GDAL_OF_UPDATE : GDAL_OF_READONLY);
    GDALDatasetH h = GDALOpenEx(path.c_str(), flags, drivers.empty() ? nullptr : driverList.data(),
                                options.empty() ? nullptr : optionList.data(), nullptr);
    if (!h)
        throw FdoConnectionException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot open '%ls'%ls", static_cast<FdoString*>(Wide(path.c_str())), update ? L" for writing" : L"")));
    auto* dataset = new Dataset(h, path, update);
    if (shapeFiles) {
        char** files = GDALGetFileList(h);
        for (char** f = files; f && *f; f++)
            if (EndsWithDbf(*f)) dataset->m_unterminatedDbf.push_back(*f);
        CSLDestroy(files);
    }
    return dataset;
}

Dataset* Dataset::Adopt(GDALDatasetH handle, const std::string& path, bool update) {
    return new Dataset(handle, path, update);
}

OGRLayerH Dataset::Layer(const std::string& name) {
    if (!m_handle) throw FdoCommandException::Create(L"The data source is closed.");
    OGRLayerH layer = GDALDatasetGetLayerByName(m_handle, name.c_str());
    if (!layer)
        throw FdoCommandException::Create(FdoStringP::Format(L"The layer '%ls' is not in '%ls'.",
                                                             static_cast<FdoString*>(Wide(name.c_str())),
                                                             static_cast<FdoString*>(Wide(m_path.c_str()))));
    return layer;
}

void Dataset::Close() {
    if (!m_handle) return;
    ErrorTrap trap;
    CloseHandle();
    if (trap.HasFailure())
        throw FdoCommandException::Create(trap.Describe(
            FdoStringP::Format(L"Closing '%ls' failed", static_cast<FdoString*>(Wide(m_path.c_str())))));
}

Dataset::~Dataset() {
    if (m_handle) {
        ErrorTrap trap;
        CloseHandle();
    }
}

void Dataset::CloseHandle() {
    GDALDatasetH h = m_handle;
    m_handle = nullptr;
    GDALClose(h);
    for (const std::string& dbf : m_unterminatedDbf) TerminateDbf(dbf);
    m_unterminatedDbf.clear();
}

}  // namespace ogrcore
