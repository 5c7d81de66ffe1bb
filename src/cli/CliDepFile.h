#pragma once

// --depfile FILE and --depfile-phony, taken by every command that writes a file: the
// commands note each file they read and write here, and once a command has succeeded
// the dependency file lists them (core/interchange/DepFile.h).

#include <string>

namespace tessivar::cli {

struct Arguments;

// Every file read or written so far, in order.
void NoteInputFile(const std::string& path);
void NoteOutputFile(const std::string& path);
// Notes `path` as written and returns exit status 0, for a command's last line.
int Written(const std::string& path);

// Runs once a command has succeeded: writes the dependency file its --depfile names, if
// any, and returns the exit status (1 when it cannot be written).
int WriteRequestedDepFile(const Arguments& args);

} // namespace tessivar::cli
