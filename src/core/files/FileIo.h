#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessivar {

// Reads a whole file; nullopt when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

// Replaces `path` with `bytes` atomically: the data is written to a temporary file
// beside the target, flushed to disk, and renamed over the target only when every
// write succeeded. Returns an empty string on success, otherwise the reason.
std::string SaveFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The file name without its folder and extension, as window titles show it.
std::string BaseNameWithoutExtension(const std::string& path);
// The extension with its dot ("" when there is none), as written.
std::string ExtensionOf(const std::string& path);

} // namespace tessivar
