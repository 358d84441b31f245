// Text in and out of the runner: command-line arguments arrive as UTF-8 and
// become the wide strings the engine takes; wide texts leave as UTF-8.
#pragma once

#include <cstdio>
#include <string>

namespace gxfcmd {

// Invalid UTF-8 sequences become U+FFFD.
std::wstring FromUtf8(const char* text);
std::string ToUtf8(const std::wstring& text);

// Writes the text to the stream as UTF-8, unchanged otherwise.
void Write(FILE* stream, const std::wstring& text);

}  // namespace gxfcmd
