// Opening and closing GDAL data sources under an error trap, so a failure
// names the file and carries GDAL's own explanation.
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrHandles.h>

namespace ogrcore {

namespace {

std::vector<const char*> CStrings(const std::vector<std::string>& values) {
    std::vector<const char*> out;
    for (const auto& v : values) out.push_back(v.c_str());
    out.push_back(nullptr);
    return out;
}

}  // namespace

std::string Utf8(FdoString* text) { return FdoStringP::Utf8FromUnicode(text ? text : L""); }

FdoStringP Wide(const char* utf8) { return FdoStringP(FdoStringP::Utf8ToUnicode(utf8 ? utf8 : "")); }

Dataset* Dataset::Open(const std::string& path, bool update, const std::vector<std::string>& drivers,
                       const std::vector<std::string>& openOptions) {
    ErrorTrap trap;
    auto driverList = CStrings(drivers);
    auto optionList = CStrings(openOptions);
    unsigned flags = GDAL_OF_VECTOR | (update ? GDAL_OF_UPDATE : GDAL_OF_READONLY);
    GDALDatasetH h = GDALOpenEx(path.c_str(), flags, drivers.empty() ? nullptr : driverList.data(),
                                openOptions.empty() ? nullptr : optionList.data(), nullptr);
    if (!h)
        throw FdoConnectionException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot open '%ls'%ls", static_cast<FdoString*>(Wide(path.c_str())), update ? L" for writing" : L"")));
    return new Dataset(h, path, update);
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
    GDALDatasetH h = m_handle;
    m_handle = nullptr;
    GDALClose(h);
    if (trap.HasFailure())
        throw FdoCommandException::Create(trap.Describe(
            FdoStringP::Format(L"Closing '%ls' failed", static_cast<FdoString*>(Wide(m_path.c_str())))));
}

Dataset::~Dataset() {
    if (m_handle) {
        ErrorTrap trap;
        GDALClose(m_handle);
    }
}

}  // namespace ogrcore
