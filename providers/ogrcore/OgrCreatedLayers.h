// What the classes created in this process were created with.
//
// Some formats keep a layer's fields only once it has rows (GeoJSON
// derives them from its features, LIBKML writes a KML schema only when a
// placemark uses it), and KML cannot say which coordinate system a writer
// used. A copy task applies the schema on one connection and copies the
// rows on the next, so the process remembers each layer it created: its
// fields, restored when a later connection finds them missing, and the
// system written geometries come in (empty for none).
#pragma once

#include <ogr_api.h>

#include <string>
#include <vector>

namespace ogrprovider {

struct FieldSpec {
    std::string name;
    OGRFieldType type = OFTString;
    OGRFieldSubType subType = OFSTNone;
    int width = 0, precision = 0;
};

struct CreatedLayer {
    std::string system;
    std::vector<FieldSpec> fields;
    // Names the creating class gave its properties, and the names they
    // were stored under (a geometry field GeoJSON cannot name, a field
    // name the driver changed).
    std::vector<std::pair<std::wstring, std::wstring>> aliases;
};

// dataSource: the connection text or path, as the connection resolved it.
void RememberLayer(const std::string& dataSource, const std::string& layer, const CreatedLayer& created);
// False when the process created no such layer.
bool RecallLayer(const std::string& dataSource, const std::string& layer, CreatedLayer& created);
// The fields of a layer as FieldSpecs.
std::vector<FieldSpec> FieldsOf(OGRLayerH layer);

}  // namespace ogrprovider
