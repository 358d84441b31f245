// c_GXF_CopyMonitor: follows one copy task run and may stop it.
//
// A host that runs a copy off its interface thread hands a monitor to
// c_GXF_CopyTask_API::GXF_CopyFdoToFdo. The monitor is told at the same
// points as the process-wide progress hook (GXF_CopyProgress.h): when a class
// starts, after every insert execution that completes a batch (every 100
// rows when inserting row by row), and when a class is done. It is called on
// the thread that runs the copy, is used by that run only, and answering
// false stops the run after the current batch: what was inserted stays
// (copies never run inside a transaction), no further class is copied, and
// the run returns GXF_Result_CopyCancelled with the count of the features
// inserted so far.
#pragma once

#include <GeoxferApi/Export.h>

class GXF_API c_GXF_CopyMonitor {
public:
    virtual ~c_GXF_CopyMonitor();
    // className: the destination class; classCount: features inserted into
    // it so far; runCount: features inserted by the whole run so far; done:
    // true for the class's last report. Return false to stop the run.
    virtual bool OnCopyProgress(const wchar_t* className, long classCount, long runCount, bool done) = 0;
};
