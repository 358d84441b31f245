// The one process-wide copy progress hook. The engine runs one operation at
// a time on one thread, so, like the last error text, it is not guarded.
#include "copytask/CopyProgress.h"

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

void GXF_SetCopyProgressHook(GXF_CopyProgressHook hook, void* context) {
    InstalledHook() = ProgressHook{hook, context};
}

namespace gxf {

void ReportCopyProgress(const wchar_t* className, long classCount, bool done) {
    const ProgressHook& installed = InstalledHook();
    if (installed.hook) installed.hook(className, classCount, done, installed.context);
}

}  // namespace gxf
