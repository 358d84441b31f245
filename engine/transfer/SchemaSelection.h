// The class list of the schema operations: which classes of a described
// schema collection a comma-separated list of Class, Schema:Class and
// Schema:* entries selects. Internal to the engine.
#pragma once

#include <Fdo.h>

#include <functional>

namespace gxf {

// True when the entry selects the class with the given qualified name
// (Schema:Class). Letter case is ignored; a lone "*" selects nothing.
bool ClassListEntryMatches(const wchar_t* entry, const wchar_t* qualifiedClassName);

// A deep copy of the schemas holding only the classes that some entry of
// the list selects, without the schemas left empty (new reference). Each
// kept class is handed to keep, when given, before the empty schemas go.
FdoFeatureSchemaCollection* SelectListedClasses(FdoFeatureSchemaCollection* schemas, const wchar_t* classList,
                                                const std::function<void(FdoClassDefinition*)>& keep = nullptr);

}  // namespace gxf
