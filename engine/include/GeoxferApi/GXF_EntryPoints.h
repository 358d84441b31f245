// The engine's plain C entry points, for scripts and hosts that cannot bind
// to class members (the command-line runner among them).
//
// Each forwards to the static member of c_FDO_Api or c_GXF_CopyTask_API that
// does the work and returns its result code; on a non-zero result the text
// is read with GXF_GetLastError. Strings are wide and only read.
#pragma once

#include <GeoxferApi/Export.h>
#include <GeoxferApi/LastError.h>

// classList may be null (all classes); it comes before the schema file name.
GXF_C_API int GXF_ExportSchema(const wchar_t* providerName, const wchar_t* connString, const wchar_t* classList,
                               const wchar_t* schemaFile);
// Applies the schema file with ignore states set; reserved is handed on unread.
GXF_C_API int GXF_ApplySchema(const wchar_t* providerName, const wchar_t* connString, const wchar_t* schemaFile,
                              long reserved);
GXF_C_API int GXF_CreateDataStore(const wchar_t* providerName, const wchar_t* dataStoreProperties);
GXF_C_API int GXF_CopyFdoToFdo(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* destProvider,
                               const wchar_t* destConnString, const wchar_t* classList, const wchar_t* filter,
                               bool skipSchemaCreation, long* featureCount);
GXF_C_API int GXF_CopyFdoToSHP(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                               const wchar_t* filter, const wchar_t* destFolder, bool overwrite, long* featureCount);
GXF_C_API int GXF_CopyFdoToSDF(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                               const wchar_t* filter, const wchar_t* sdfFile, bool overwrite, long* featureCount);
// Reads the copy task file and runs it (c_GXF_CopyTask_API::GXF_CopyFdoToFdo).
GXF_C_API int GXF_RunCopyTask(const wchar_t* taskFile, long* featureCount);
