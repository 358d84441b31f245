// One process-wide map, keyed by the data source (made canonical when it
// is a path) and the layer name.
#include <ogrcore/OgrCreatedLayers.h>

#include <filesystem>
#include <map>
#include <mutex>

namespace ogrprovider {

namespace {

std::string Key(const std::string& dataSource, const std::string& layer) {
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(dataSource, ec);
    return (ec ? dataSource : canonical.string()) + '\n' + layer;
}

std::mutex g_lock;

std::map<std::string, CreatedLayer>& Layers() {
    static std::map<std::string, CreatedLayer> layers;
    return layers;
}

}  // namespace

void RememberLayer(const std::string& dataSource, const std::string& layer, const CreatedLayer& created) {
    std::lock_guard<std::mutex> hold(g_lock);
    Layers()[Key(dataSource, layer)] = created;
}

bool RecallLayer(const std::string& dataSource, const std::string& layer, CreatedLayer& created) {
    std::lock_guard<std::mutex> hold(g_lock);
    auto it = Layers().find(Key(dataSource, layer));
    if (it == Layers().end()) return false;
    created = it->second;
    return true;
}

std::vector<FieldSpec> FieldsOf(OGRLayerH layer) {
    std::vector<FieldSpec> fields;
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
    for (int i = 0; i < OGR_FD_GetFieldCount(defn); i++) {
        OGRFieldDefnH fd = OGR_FD_GetFieldDefn(defn, i);
        fields.push_back({OGR_Fld_GetNameRef(fd), OGR_Fld_GetType(fd), OGR_Fld_GetSubType(fd), OGR_Fld_GetWidth(fd),
                          OGR_Fld_GetPrecision(fd)});
    }
    return fields;
}

}  // namespace ogrprovider
