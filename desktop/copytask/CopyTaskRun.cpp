#include "copytask/CopyTaskRun.h"

#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXF_CopyMonitor.h>
#include <GeoxferApi/GXF_CopyTask_API.h>

namespace {

class ProgressMonitor : public c_GXF_CopyMonitor {
public:
    explicit ProgressMonitor(c_WorkProgress& progress) : m_progress(progress) {}
    bool OnCopyProgress(const wchar_t* className, long, long runCount, bool) override {
        m_progress.Set(QString::fromWCharArray(className), runCount);
        return !m_progress.CancelRequested();
    }

private:
    c_WorkProgress& m_progress;
};

}  // namespace

c_CopyTaskOutcome RunCopyTaskWithProgress(c_GXFCopyTaskDef* task, c_WorkProgress& progress) {
    c_CopyTaskOutcome outcome;
    ProgressMonitor monitor(progress);
    progress.Set(QStringLiteral("Preparing the destination..."), 0);
    outcome.resultCode = c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task, outcome.count, &monitor);
    if (outcome.resultCode != 0) outcome.error = QString::fromWCharArray(c_FDO_Api::GXF_GetLastError());
    return outcome;
}
