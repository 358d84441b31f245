// See Sdf3Error.h.
#include "Sdf3Error.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

namespace sdf3 {

void Fail(const std::wstring& file, const std::wstring& what) {
    throw FdoException::Create(
        FdoStringP::Format(L"Cannot read the SDF 3 file '%ls': %ls.", file.c_str(), what.c_str()));
}

void Failf(const std::wstring& file, FdoString* format, ...) {
    std::vector<wchar_t> buffer(512);
    va_list args;
    va_start(args, format);
    int n = std::vswprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (n < 0) buffer[buffer.size() - 1] = L'\0';
    Fail(file, buffer.data());
}

}  // namespace sdf3
