// One run of a copy task behind the progress dialog: the engine runs the
// task under a monitor that hands its counts to the dialog and its Cancel
// back to the engine. Called on the dialog's worker thread: it touches no
// widget, and reads the engine's last error text on that thread.
#pragma once

#include <QString>

class c_GXFCopyTaskDef;
class c_WorkProgress;

struct c_CopyTaskOutcome {
    int resultCode = 0;  // 0 success; GXF_Result_CopyCancelled after Cancel
    long count = 0;      // features copied (so far, when stopped)
    QString error;       // the engine's last error text on failure
};

c_CopyTaskOutcome RunCopyTaskWithProgress(c_GXFCopyTaskDef* task, c_WorkProgress& progress);
