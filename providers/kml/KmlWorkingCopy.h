// Writing into a KML file that exists already.
//
// LIBKML writes a placemark's ExtendedData only in layers it created
// itself: rows appended to a layer it read from a file lose their
// attributes. A connection that writes into an existing file therefore
// copies the document into a working file beside it (every layer, field
// and placemark, the way GDAL copies layers) and writes there; Close puts
// the working file in the original's place. Until then the original is
// untouched, so a failed write never leaves half a document behind.
#pragma once

#include <gdal.h>

#include <string>

namespace kml {

// The working file of path (beside it).
std::string WorkingPathOf(const std::string& path);
// Copies the document at path into a new LIBKML document at working
// (replaced when present); returns the open update handle. Throws
// FdoCommandException naming the file.
GDALDatasetH CopyToWorkingDocument(const std::string& path, const std::string& working);
// Moves the closed working file over path; throws naming both.
void ReplaceWithWorkingDocument(const std::string& working, const std::string& path);

}  // namespace kml
