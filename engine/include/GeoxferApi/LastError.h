// The result codes of the engine and its last error text.
//
// Operations that take provider names and connection strings return 0 on
// success or one of the codes below, and leave a text for the caller in the
// last error text. The text is kept per thread, so a copy run on a worker
// thread leaves its text on that thread (read it there) and a program with
// one thread sees one text. It is never cleared: a success leaves the
// previous failure's text in place.
#pragma once

#include <GeoxferApi/Export.h>

enum e_GXF_ResultCode {
    GXF_Result_OK = 0,
    GXF_Result_NullSchemaCollection = 1,
    GXF_Result_FdoException = 2,
    GXF_Result_CreateSourceConnection = 3,
    GXF_Result_OpenSourceConnection = 4,
    GXF_Result_CreateDestConnection = 5,
    GXF_Result_OpenDestConnection = 6,
    GXF_Result_CreateSdfFile = 7,
    GXF_Result_ReadTaskFile = 8,
    GXF_Result_MissingCommand = 9,
    GXF_Result_SchemaExists = 10,
    GXF_Result_DeleteSdfFile = 11,
    GXF_Result_NoCreateSpatialContext = 12,
    // A monitored copy stopped at its monitor's request (GXF_CopyMonitor.h).
    GXF_Result_CopyCancelled = 13,
};

// Copies the last error text into buffer with strncpy-like semantics: at most
// maxChars characters, padded with zeros when shorter, unterminated when the
// text is maxChars long or longer. Always returns 1.
GXF_C_API int GXF_GetLastError(wchar_t* buffer, int maxChars);
