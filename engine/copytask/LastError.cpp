// The engine's last error text: one string per thread, written only by
// SetLastErrorText and read through c_FDO_Api::GXF_GetLastError and the C
// function GXF_GetLastError. Being thread-local it needs no guard, and a run
// on a worker thread cannot overwrite the text another thread is reading.
#include "copytask/LastErrorText.h"
#include <GeoxferApi/FDO_Api.h>

#include <Fdo/Common/StringP.h>

namespace {
FdoStringP& LastErrorText() {
    thread_local FdoStringP text;
    return text;
}
}  // namespace

void SetLastErrorText(const wchar_t* message) { LastErrorText() = message; }

const wchar_t* c_FDO_Api::GXF_GetLastError() { return LastErrorText(); }

int GXF_GetLastError(wchar_t* buffer, int maxChars) {
    if (!buffer || maxChars <= 0) return 1;
    const wchar_t* text = LastErrorText();
    int i = 0;
    for (; i < maxChars && text[i]; i++) buffer[i] = text[i];
    for (; i < maxChars; i++) buffer[i] = L'\0';
    return 1;
}
