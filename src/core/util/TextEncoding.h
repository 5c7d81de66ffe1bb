#pragma once

// Names and paths in the program's files were written in the Windows-1252 code page;
// newer files may hold UTF-8. Text leaving the program as UTF-8 goes through here.

#include <string>
#include <string_view>

namespace tessivar {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Valid UTF-8 stays as it is; any other text is read byte by byte as Windows-1252 (the
// five bytes that code page leaves undefined become the control characters of the same
// number, as Windows maps them).
std::string TextAsUtf8(std::string_view text);

} // namespace tessivar
