// The engine side of the copy progress hook: the copy loop calls
// ReportCopyProgress, which hands the numbers to the installed hook, if any.
// Internal to the engine.
#pragma once

namespace gxf {

void ReportCopyProgress(const wchar_t* className, long classCount, bool done);

}  // namespace gxf
