#include "ui/c_ProgressCopyMonitor.h"

#include "ui/c_UiServices.h"

bool c_ProgressCopyMonitor::OnCopyProgress(const wchar_t* className, long, long runCount, bool) {
    return m_progress.Report(QString::fromWCharArray(className), runCount);
}
