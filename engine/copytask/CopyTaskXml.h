// The copy task file: its element names and the two functions that write
// and read it. Internal to the engine; callers use c_GXFCopyTaskDef.
//
// The names are kept in one place because the writer and the reader must
// agree on them letter for letter.
#pragma once

#include <Fdo/Common/Std.h>

#include <type_traits>

#include <xercesc/util/XercesDefs.hpp>

class c_GXFCopyTaskDef;

static_assert(std::is_same_v<XMLCh, char16_t>, "element names below are UTF-16 literals");

namespace copytask_xml {

inline constexpr const XMLCh* kRoot = u"FdoCopyTask";
inline constexpr const XMLCh* kSourceConnection = u"SourceConnection";
inline constexpr const XMLCh* kDestinationConnection = u"DestinationConnection";
inline constexpr const XMLCh* kProvider = u"FdoProvider";
inline constexpr const XMLCh* kConnectionString = u"FdoConnectionString";
inline constexpr const XMLCh* kClassCopyDefinition = u"ClassCopyDefinition";
inline constexpr const XMLCh* kSourceClassName = u"SourceClassName";
inline constexpr const XMLCh* kDestinationClassName = u"DestinationClassName";
inline constexpr const XMLCh* kCopyFilter = u"CopyFilter";
inline constexpr const XMLCh* kPropertyCopyDefinition = u"PropertyCopyDefinition";
inline constexpr const XMLCh* kSourcePropertyName = u"SourcePropertyName";
inline constexpr const XMLCh* kDestinationPropertyName = u"DestinationPropertyName";
inline constexpr const XMLCh* kCopyTaskAttributes = u"CopyTaskAttributes";
inline constexpr const XMLCh* kExecuteApplySchema = u"ExecuteApplySchema";
inline constexpr const XMLCh* kApplySchemaXMLFile = u"ApplySchemaXMLFile";
inline constexpr const XMLCh* kCreateSpatialContext = u"CreateSpatialContext";
inline constexpr const XMLCh* kSpatialContextXMLFile = u"SpatialContextXMLFile";
inline constexpr const XMLCh* kMagicClassName = u"MagicClassName";
inline constexpr const XMLCh* kMagicDataTypes = u"MagicDataTypes";
inline constexpr const XMLCh* kDeleteDestinationData = u"DeleteDestinationData";
inline constexpr const XMLCh* kCopyToSDFAttributes = u"CopyToSDFAttributes";
inline constexpr const XMLCh* kSDF_CreateFileIfMissing = u"SDF_CreateFileIfMissing";
inline constexpr const XMLCh* kSDF_OverwriteFile = u"SDF_OverwriteFile";
inline constexpr const XMLCh* kCopyToOracleAttributes = u"CopyToOracleAttributes";
inline constexpr const XMLCh* kOracle_SRID = u"Oracle_SRID";

}  // namespace copytask_xml

// Writes task to fileName; every failure is thrown as FdoException*.
void WriteCopyTaskXml(const c_GXFCopyTaskDef& task, FdoString* fileName);

// Fills task from fileName; false when no document results.
bool ReadCopyTaskXml(c_GXFCopyTaskDef& task, FdoString* fileName);
