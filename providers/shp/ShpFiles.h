// The few things about shape files that GDAL does not tell: the shape type
// in the .shp header, the DBF field type codes (GDAL reads logical fields
// as text), the writing of an empty DBF with exactly the names, types and
// widths the FDO rules ask for, file permissions, and the .prj text.
#pragma once

#include <Fdo.h>

#include <filesystem>
#include <string>
#include <vector>

namespace shp {

namespace fs = std::filesystem;

// Shape types of the .shp header.
enum ShapeType {
    kNullShape = 0, kPoint = 1, kPolyLine = 3, kPolygon = 5, kMultiPoint = 8,
    kPointZ = 11, kPolyLineZ = 13, kPolygonZ = 15, kMultiPointZ = 18,
    kPointM = 21, kPolyLineM = 23, kPolygonM = 25, kMultiPointM = 28, kMultiPatch = 31,
};

struct DbfField {
    std::string name;  // bytes as stored (the DBF's own encoding)
    char type = 'C';
    int width = 0;
    int decimals = 0;
};

// The shape type of a .shp (or .shx) file; throws naming the file when it
// is not one.
int ReadShapeType(const fs::path& shp);
// Rewrites the shape type of a .shp/.shx header (used for null-shape files,
// which GDAL does not create).
void WriteShapeType(const fs::path& file, int type);

// The field descriptors of a .dbf; throws naming the file when unreadable.
std::vector<DbfField> ReadDbfFields(const fs::path& dbf);
// Writes a .dbf holding no records and these fields.
void WriteEmptyDbf(const fs::path& dbf, const std::vector<DbfField>& fields);

// The sibling of shp with another extension, in whatever case exists
// (".dbf" or ".DBF"); the lower-case form when neither does.
fs::path Sibling(const fs::path& shp, const char* extension);
bool Exists(const fs::path& p);
// Writable by this process and not marked read-only by its mode bits (root
// ignores the bits, but a folder or file someone protected stays protected).
bool IsWritable(const fs::path& p);

// The whole text of a file ("" when absent), and writing one.
std::string ReadText(const fs::path& file);
void WriteText(const fs::path& file, const std::string& text);

// The coordinate system name of a WKT: the first quoted string after
// PROJCS, else GEOGCS, else LOCAL_CS (else the first quoted string).
FdoStringP CoordinateSystemName(const std::string& wkt);

// A path in the system's form: '\' becomes '/'.
fs::path NormalisePath(FdoString* text);
FdoStringP PathText(const fs::path& p);

}  // namespace shp
