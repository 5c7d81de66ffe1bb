#pragma once

#include "core/util/Result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessivar {

// Reads a whole regular file of at most `maxBytes` bytes. Anything else (a folder, a
// device, a pipe, a larger file, a read error) is refused with the reason, before any of
// it is read.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

// The file name without its folder and extension, as window titles show it.
std::string BaseNameWithoutExtension(const std::string& path);
// The extension with its dot ("" when there is none), as written.
std::string ExtensionOf(const std::string& path);
// The same in lower case, for telling file kinds apart in any letter case.
std::string LowerExtensionOf(const std::string& path);

} // namespace tessivar
