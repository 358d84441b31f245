// Terminal progress for long copies. The first line appears only after a
// second, so short copies show nothing at all; the line is written below the
// runner's own text and removed again at the end, cursor put back, so the
// screen looks as if it had never been there.
#include "ConsoleProgress.h"

#include "ConsoleText.h"

#include <GeoxferApi/GXF_CopyProgress.h>

#include <cstdio>

#include <unistd.h>

namespace gxfcmd {

namespace {
constexpr auto kRefresh = std::chrono::seconds(1);
}

ConsoleProgress::ConsoleProgress() {
    if (!isatty(STDERR_FILENO)) return;
    m_installed = true;
    m_classStart = m_lastShown = Clock::now();
    GXF_SetCopyProgressHook(&ConsoleProgress::Hook, this);
}

ConsoleProgress::~ConsoleProgress() {
    if (!m_installed) return;
    GXF_SetCopyProgressHook(nullptr, nullptr);
    // Erase the line, then go back up to the line the runner's text is on.
    if (m_shown) std::fputs("\r\033[K\033[A", stderr);
    std::fflush(stderr);
}

void ConsoleProgress::Hook(const wchar_t* className, long classCount, bool done, void* context) {
    static_cast<ConsoleProgress*>(context)->Update(className, classCount, done);
}

void ConsoleProgress::Update(const wchar_t* className, long classCount, bool done) {
    const auto now = Clock::now();
    const std::wstring name = className ? className : L"";
    if (name != m_className) {
        m_className = name;
        m_classStart = now;
    }
    if (now - m_lastShown < kRefresh) return;
    m_lastShown = now;
    const double seconds = std::chrono::duration<double>(now - m_classStart).count();
    const double rate = seconds > 0 ? classCount / seconds : 0.0;
    if (!m_shown) {
        std::fputs("\n", stderr);
        m_shown = true;
    }
    std::fputs("\r\033[K", stderr);
    Write(stderr, m_className);
    std::fprintf(stderr, ": %ld features copied%s, %.0f features/s", classCount, done ? " (done)" : "", rate);
    std::fflush(stderr);
}

}  // namespace gxfcmd
