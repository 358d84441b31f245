// The error trap keeps a per-thread stack of active traps; GDAL's handler
// stack is per thread too, so each trap pushes its own handler with itself
// as user data.
#include <ogrcore/OgrError.h>

#include <cctype>

#include <gdal.h>

#include <mutex>

namespace ogrcore {

namespace {

void CPL_STDCALL Quiet(CPLErr, CPLErrorNum, const char*) {}

}  // namespace

void Init() {
    static std::once_flag once;
    std::call_once(once, [] {
        CPLSetErrorHandler(Quiet);
        GDALAllRegister();
    });
}

ErrorTrap::ErrorTrap() {
    Init();
    CPLPushErrorHandlerEx(Handler, this);
}

ErrorTrap::~ErrorTrap() { CPLPopErrorHandler(); }

void CPL_STDCALL ErrorTrap::Handler(CPLErr level, CPLErrorNum, const char* message) {
    auto* self = static_cast<ErrorTrap*>(CPLGetErrorHandlerUserData());
    if (!self || level == CE_None || level == CE_Debug) return;
    self->m_messages.push_back({level, message ? message : ""});
}

bool ErrorTrap::HasFailure() const {
    for (const auto& m : m_messages)
        if (m.level == CE_Failure || m.level == CE_Fatal) return true;
    return false;
}

bool ErrorTrap::HasWarning() const {
    for (const auto& m : m_messages)
        if (m.level == CE_Warning) return true;
    return false;
}

std::string ErrorTrap::Messages() const {
    std::string all;
    for (const auto& m : m_messages) {
        if (!all.empty()) all += "; ";
        all += m.text;
    }
    return all;
}

// Warnings (an SDF file's extension is not .gpkg, a field was truncated)
// are GDAL talking to itself: only its errors explain a failure.
FdoStringP ErrorTrap::DescribeWithWarnings(const FdoStringP& what) const {
    if (m_messages.empty()) return what;
    return what + L": " + FdoStringP(Messages().c_str());
}

FdoStringP ErrorTrap::DescribeFirst(const FdoStringP& what) const {
    for (const auto& m : m_messages) {
        if (m.level == CE_Warning) continue;
        std::string text = m.text;
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
        return what + L": " + FdoStringP(text.c_str());
    }
    return what;
}

FdoStringP ErrorTrap::Describe(const FdoStringP& what) const {
    std::string errors;
    for (const auto& m : m_messages) {
        if (m.level == CE_Warning) continue;
        if (!errors.empty()) errors += "; ";
        errors += m.text;
    }
    if (errors.empty()) return what;
    return what + L": " + FdoStringP(errors.c_str());
}

}  // namespace ogrcore
