#pragma once

// --depfile FILE and --depfile-phony, taken by every command that writes a file: the
// commands note each file they read and write here, and once a command has succeeded
// the dependency file lists them (core/interchange/DepFile.h).

#include "core/util/Result.h"

#include <optional>
#include <string>
#include <vector>

namespace tessivar::cli {

struct DepFileRequest {
    std::string path;
    bool phony = false;
};

// Takes "--depfile FILE" (or "--depfile=FILE") and "--depfile-phony" out of `args`;
// none when neither is there. --depfile-phony without --depfile, a missing value or an
// option given twice is refused.
Result<std::optional<DepFileRequest>> TakeDepFileOptions(std::vector<std::string>& args);

// Every file read or written so far, in order.
void NoteInputFile(const std::string& path);
void NoteOutputFile(const std::string& path);
// Notes `path` as written and returns exit status 0, for a command's last line.
int Written(const std::string& path);

// Writes the dependency file of the files noted.
Status WriteDepFileOfRun(const DepFileRequest& request);

} // namespace tessivar::cli
