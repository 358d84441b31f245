// The engine side of copy progress: the copy loop calls ReportCopyProgress,
// which hands the numbers to the installed process-wide hook, if any, and to
// the monitor of the run on this thread, if any. Internal to the engine.
#pragma once

class c_GXF_CopyMonitor;

namespace gxf {

// False when the run on this thread is to stop (its monitor said so).
bool ReportCopyProgress(const wchar_t* className, long classCount, bool done);

// True once the monitor of the run on this thread has asked to stop.
bool CopyStopRequested();

// Makes the monitor the one of the run on this thread for the scope's
// lifetime (null: none); runs do not nest, the former one is restored.
class ScopedCopyMonitor {
public:
    explicit ScopedCopyMonitor(c_GXF_CopyMonitor* monitor);
    ~ScopedCopyMonitor();
    ScopedCopyMonitor(const ScopedCopyMonitor&) = delete;
    ScopedCopyMonitor& operator=(const ScopedCopyMonitor&) = delete;

private:
    struct RunState* m_former;
};

}  // namespace gxf
