// How the SDF 3 reader reports a file it cannot read.
//
// Every structure of an SDF 3 file comes from disk and may be truncated,
// damaged or crafted, so each check that fails ends here: one FdoException
// that names the file and says what is wrong with it, never a crash or a
// read outside the file.
#pragma once

#include <Fdo.h>

#include <string>

namespace sdf3 {

// Throws FdoException: "Cannot read the SDF 3 file '<file>': <what>."
[[noreturn]] void Fail(const std::wstring& file, const std::wstring& what);

// The same, with printf-style arguments for what (wide format).
[[noreturn]] void Failf(const std::wstring& file, FdoString* format, ...);

}  // namespace sdf3
