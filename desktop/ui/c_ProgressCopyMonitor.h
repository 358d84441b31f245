// c_ProgressCopyMonitor: the link between an engine copy and the progress
// dialog. The engine tells it the class and the features copied after each
// batch; it hands them to the dialog's progress record and answers the
// dialog's Cancel by stopping the copy after that batch. Used on the
// dialog's worker thread by every pane that runs a copy.
#pragma once

#include <GeoxferApi/GXF_CopyMonitor.h>

class c_WorkProgress;

class c_ProgressCopyMonitor : public c_GXF_CopyMonitor {
public:
    explicit c_ProgressCopyMonitor(c_WorkProgress& progress) : m_progress(progress) {}
    bool OnCopyProgress(const wchar_t* className, long classCount, long runCount, bool done) override;

private:
    c_WorkProgress& m_progress;
};
