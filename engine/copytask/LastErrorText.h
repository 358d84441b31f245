// Setting the engine's last error text: internal to the engine, so it sits
// beside the engine's sources and not among the exported headers (callers
// outside the engine read the text through GXF_GetLastError only).
#pragma once

#include <GeoxferApi/LastError.h>

// Replaces the last error text with a copy of message (null = empty).
void SetLastErrorText(const wchar_t* message);
