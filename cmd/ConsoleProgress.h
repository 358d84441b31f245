// Progress of a running copy on a terminal's standard error: the class being
// copied, the features copied so far and the rate, refreshed at most once a
// second on one line that is erased when the copy ends. Standard output is
// never touched, so what scripts read stays exactly the same.
#pragma once

#include <chrono>
#include <string>

namespace gxfcmd {

class ConsoleProgress {
public:
    // Installs the engine's progress hook when standard error is a terminal;
    // otherwise does nothing.
    ConsoleProgress();
    // Erases the progress line and removes the hook.
    ~ConsoleProgress();
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    static void Hook(const wchar_t* className, long classCount, bool done, void* context);
    void Update(const wchar_t* className, long classCount, bool done);

    bool m_installed = false;
    bool m_shown = false;
    std::wstring m_className;
    Clock::time_point m_classStart;
    Clock::time_point m_lastShown;
};

}  // namespace gxfcmd
