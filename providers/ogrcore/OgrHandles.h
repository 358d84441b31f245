// Owning handles for GDAL objects.
//
// A Dataset is reference-counted like every FDO object, because readers,
// writers and the connection share one open data source and the last of
// them to let go closes it. Features and geometries are owned by one piece
// of code at a time, so unique_ptr with GDAL's destroy functions suffices.
#pragma once

#include <Fdo.h>

#include <gdal.h>
#include <ogr_api.h>

#include <memory>
#include <string>
#include <vector>

namespace ogrcore {

class Dataset : public FdoIDisposable {
public:
    // Opens a vector data source; drivers limits the GDAL drivers tried
    // (empty: any). Failure throws FdoConnectionException naming the path.
    static Dataset* Open(const std::string& path, bool update, const std::vector<std::string>& drivers = {},
                         const std::vector<std::string>& openOptions = {});
    // Takes ownership of an open handle.
    static Dataset* Adopt(GDALDatasetH handle, const std::string& path, bool update);

    GDALDatasetH Handle() const { return m_handle; }
    const std::string& Path() const { return m_path; }
    bool IsUpdate() const { return m_update; }
    // The layer of that name; throws FdoCommandException naming it when absent.
    OGRLayerH Layer(const std::string& name);
    // Closes now and reports what GDAL said while writing out (the
    // destructor closes too, but cannot report).
    void Close();

protected:
    Dataset(GDALDatasetH handle, const std::string& path, bool update)
        : m_handle(handle), m_path(path), m_update(update) {}
    ~Dataset() override;
    void Dispose() override { delete this; }

private:
    // GDALClose, then the end-of-file marks of the attribute tables.
    void CloseHandle();

    GDALDatasetH m_handle;
    std::string m_path;
    bool m_update;
    // Attribute tables (.dbf) written without their end-of-file mark, which
    // is put once on close (see OgrHandles.cpp).
    std::vector<std::string> m_unterminatedDbf;
};

struct FeatureDeleter {
    void operator()(OGRFeatureH f) const { OGR_F_Destroy(f); }
};
struct GeometryDeleter {
    void operator()(OGRGeometryH g) const { OGR_G_DestroyGeometry(g); }
};
using FeaturePtr = std::unique_ptr<std::remove_pointer_t<OGRFeatureH>, FeatureDeleter>;
using GeometryPtr = std::unique_ptr<std::remove_pointer_t<OGRGeometryH>, GeometryDeleter>;

// Text conversions at the GDAL boundary.
std::string Utf8(FdoString* text);
FdoStringP Wide(const char* utf8);

}  // namespace ogrcore
