#include "copytask/CopyTaskRun.h"

#include "ui/c_ProgressCopyMonitor.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXF_CopyTask_API.h>

c_CopyTaskOutcome RunCopyTaskWithProgress(c_GXFCopyTaskDef* task, c_WorkProgress& progress) {
    c_CopyTaskOutcome outcome;
    c_ProgressCopyMonitor monitor(progress);
    progress.Set(QStringLiteral("Preparing the destination..."), 0);
    outcome.resultCode = c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task, outcome.count, &monitor);
    if (outcome.resultCode != 0) outcome.error = QString::fromWCharArray(c_FDO_Api::GXF_GetLastError());
    return outcome;
}
