#pragma once

#include <string>
#include <vector>

namespace tessivar::cli {

// Each command takes the arguments after its name and returns the exit status.
int RunInfo(const std::vector<std::string>& args);
int RunUpgrade(const std::vector<std::string>& args);
int RunDecode(const std::vector<std::string>& args);
int RunRenderMap(const std::vector<std::string>& args);
int RunExportTiles(const std::vector<std::string>& args);
int RunExportMap(const std::vector<std::string>& args);
int RunExportBinary(const std::vector<std::string>& args);
int RunImportBinary(const std::vector<std::string>& args);
int RunImport(const std::vector<std::string>& args);
int RunOptimize(const std::vector<std::string>& args);
int RunExportSheet(const std::vector<std::string>& args);
int RunImportSheet(const std::vector<std::string>& args);

// Escapes a string for a JSON document.
std::string JsonString(const std::string& text);

} // namespace tessivar::cli
