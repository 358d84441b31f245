#include "express/ExpressCopy.h"

#include "ui/c_ProgressCopyMonitor.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXFCopyTaskDef.h>
#include <GeoxferApi/GXF_CopyTask_API.h>

#include <Fdo.h>

namespace {

std::wstring W(const QString& text) { return text.toStdWString(); }

c_ExpressOutcome Failed(int code, long count = 0) {
    return {code, count, QString::fromWCharArray(c_FDO_Api::GXF_GetLastError())};
}

}  // namespace

c_ExpressOutcome RunExpressCopy(const c_ExpressRequest& request, c_WorkProgress& progress) {
    const std::wstring srcProvider = W(request.sourceProvider), srcConn = W(request.sourceConnString);
    const std::wstring destProvider = W(request.destProvider), destConn = W(request.destConnString);
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    progress.Set(QStringLiteral("Reading the source schema..."), 0);
    int rc = c_GXF_CopyTask_API::CreateDeafultCopyTask(task.p, srcProvider.c_str(), srcConn.c_str(),
                                                        destProvider.c_str(), destConn.c_str());
    if (rc != 0) return Failed(rc);
    task->SetDestProvider(destProvider.c_str());
    task->SetDestConnString(destConn.c_str());
    if (request.extra == e_Extra::SdfOverwrite) task->SetSDF_Attr_OverwriteFile(true);
    if (request.extra == e_Extra::SridFromField || request.extra == e_Extra::SridZero)
        task->SetOracle_Attr_SRID(request.srid);
    long count = 0;
    c_ProgressCopyMonitor monitor(progress);
    rc = c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count, &monitor);
    if (rc != 0) return Failed(rc, count);
    return {0, count, QString()};
}
