// Progress of a running copy task, for hosts that want to show it.
//
// The copy loop reports, for the class being copied, how many features it
// has inserted so far: once when the class starts, after every insert
// execution that completes a batch (or every 100 rows when inserting row by
// row), and once when the class is done. The engine does no output of its
// own; the hook decides what to show and how often. One hook per process,
// called on the thread that runs the copy.
#pragma once

#include <GeoxferApi/Export.h>

// className: the destination class; classCount: features inserted into it so
// far; done: true for the class's last report; context: as installed.
typedef void (*GXF_CopyProgressHook)(const wchar_t* className, long classCount, bool done, void* context);

// Installs the hook (null removes it).
GXF_C_API void GXF_SetCopyProgressHook(GXF_CopyProgressHook hook, void* context);
