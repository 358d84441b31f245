// GDAL errors as FdoException texts.
//
// GDAL reports problems through CPLError, which by default prints them.
// Init() installs a process handler that keeps GDAL quiet, and an ErrorTrap
// collects the messages raised on its thread while it lives, so the code
// around a GDAL call can turn them into the text of the FdoException it
// throws ("what failed: what GDAL said").
#pragma once

#include <Fdo.h>

#include <cpl_error.h>

#include <string>
#include <vector>

namespace ogrcore {

// Registers GDAL's drivers once and silences its default error output.
void Init();

class ErrorTrap {
public:
    ErrorTrap();
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    bool HasFailure() const;
    bool HasWarning() const;
    bool Empty() const { return m_messages.empty(); }
    void Clear() { m_messages.clear(); }
    // Every message collected, joined with "; ".
    std::string Messages() const;
    // what, followed by ": " and GDAL's errors when there are any; its
    // warnings never reach a message.
    FdoStringP Describe(const FdoStringP& what) const;
    // The same with the warnings too, for a caller that treats a warning
    // as the failure (a value GDAL changed on its way into a file).
    FdoStringP DescribeWithWarnings(const FdoStringP& what) const;
    // The same with GDAL's first error only, for a failure whose later
    // errors are its echo (a statement a database refused makes every
    // following one in its transaction fail too).
    FdoStringP DescribeFirst(const FdoStringP& what) const;

private:
    static void CPL_STDCALL Handler(CPLErr level, CPLErrorNum code, const char* message);

    struct Message {
        CPLErr level;
        std::string text;
    };
    std::vector<Message> m_messages;
};

}  // namespace ogrcore
