// GDALDatasetCopyLayer copies each layer's fields and features; LIBKML
// makes the copied layers its own, so later rows get their ExtendedData.
#include "KmlWorkingCopy.h"

#include <ogrcore/OgrError.h>
#include <ogrcore/OgrHandles.h>

#include <filesystem>

namespace kml {

namespace fs = std::filesystem;

namespace {

FdoStringP Shown(const std::string& path) { return ogrcore::Wide(path.c_str()); }

}  // namespace

std::string WorkingPathOf(const std::string& path) {
    fs::path p(path);
    return (p.parent_path() / ("." + p.filename().string() + ".writing.kml")).string();
}

GDALDatasetH CopyToWorkingDocument(const std::string& path, const std::string& working) {
    ogrcore::ErrorTrap trap;
    std::error_code ec;
    fs::remove(working, ec);
    const char* drivers[] = {"LIBKML", nullptr};
    GDALDatasetH source = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr);
    if (!source)
        throw FdoCommandException::Create(trap.Describe(
            FdoStringP::Format(L"Cannot read the KML file '%ls'", static_cast<FdoString*>(Shown(path)))));
    GDALDriverH driver = GDALGetDriverByName("LIBKML");
    GDALDatasetH copy = driver ? GDALCreate(driver, working.c_str(), 0, 0, 0, GDT_Unknown, nullptr) : nullptr;
    bool failed = !copy;
    for (int i = 0; copy && i < GDALDatasetGetLayerCount(source) && !failed; i++) {
        OGRLayerH layer = GDALDatasetGetLayer(source, i);
        failed = !GDALDatasetCopyLayer(copy, layer, OGR_L_GetName(layer), nullptr);
    }
    GDALClose(source);
    if (failed) {
        if (copy) GDALClose(copy);
        fs::remove(working, ec);
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot copy the KML file '%ls' to write into it", static_cast<FdoString*>(Shown(path)))));
    }
    return copy;
}

void ReplaceWithWorkingDocument(const std::string& working, const std::string& path) {
    std::error_code ec;
    if (!fs::exists(working, ec))
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The KML file '%ls' was not written: its working copy '%ls' is missing.",
            static_cast<FdoString*>(Shown(path)), static_cast<FdoString*>(Shown(working))));
    fs::rename(working, path, ec);
    if (ec)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The KML file '%ls' cannot be replaced by its working copy '%ls': %ls.",
            static_cast<FdoString*>(Shown(path)), static_cast<FdoString*>(Shown(working)),
            static_cast<FdoString*>(Shown(ec.message()))));
}

}  // namespace kml
