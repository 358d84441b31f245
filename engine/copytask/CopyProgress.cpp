// Copy progress: one process-wide hook for hosts that only watch (the
// runner's console line), and one monitor per run and thread for hosts that
// also want to stop a run. The hook is installed before copies start and not
// guarded; each run's monitor and its counts live in thread-local state, so
// copies on different threads never see each other's monitor.
#include "copytask/CopyProgress.h"

#include <GeoxferApi/GXF_CopyMonitor.h>
#include <GeoxferApi/GXF_CopyProgress.h>

namespace {
struct ProgressHook {
    GXF_CopyProgressHook hook = nullptr;
    void* context = nullptr;
};

ProgressHook& InstalledHook() {
    static ProgressHook installed;
    return installed;
}
}  // namespace

namespace gxf {

// The monitored run on one thread.
struct RunState {
    c_GXF_CopyMonitor* monitor = nullptr;
    long finishedClasses = 0;  // features of the classes already done
    bool stopped = false;
};

namespace {
thread_local RunState* t_run = nullptr;
}  // namespace

ScopedCopyMonitor::ScopedCopyMonitor(c_GXF_CopyMonitor* monitor) : m_former(t_run) {
    t_run = new RunState{monitor};
}

ScopedCopyMonitor::~ScopedCopyMonitor() {
    delete t_run;
    t_run = m_former;
}

bool ReportCopyProgress(const wchar_t* className, long classCount, bool done) {
    const ProgressHook& installed = InstalledHook();
    if (installed.hook) installed.hook(className, classCount, done, installed.context);
    RunState* run = t_run;
    if (!run || !run->monitor) return true;
    const long runCount = run->finishedClasses + classCount;
    if (done) run->finishedClasses += classCount;
    if (!run->monitor->OnCopyProgress(className, classCount, runCount, done)) run->stopped = true;
    return !run->stopped;
}

bool CopyStopRequested() { return t_run && t_run->stopped; }

}  // namespace gxf

c_GXF_CopyMonitor::~c_GXF_CopyMonitor() = default;

void GXF_SetCopyProgressHook(GXF_CopyProgressHook hook, void* context) {
    InstalledHook() = ProgressHook{hook, context};
}
