#pragma once

#include <string>

namespace tessivar::cli {

struct Arguments;

// Each command takes its arguments as read against its entry in the command table
// and returns the exit status.
int RunInfo(const Arguments& args);
int RunUpgrade(const Arguments& args);
int RunDecode(const Arguments& args);
int RunRenderMap(const Arguments& args);
int RunExportTiles(const Arguments& args);
int RunExportMap(const Arguments& args);
int RunExportBinary(const Arguments& args);
int RunImportBinary(const Arguments& args);
int RunImport(const Arguments& args);
int RunOptimize(const Arguments& args);

// Escapes a string for a JSON document.
std::string JsonString(const std::string& text);

} // namespace tessivar::cli
