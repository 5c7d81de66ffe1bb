#pragma once

// File dialog filters are written "Description|patterns|Description|patterns...", the
// patterns of one entry separated by ";". The description may name its patterns in
// parentheses in any form; FileFilterEntries() gives each entry's plain description and
// its list of patterns, from which a dialog builds its own filter form.

#include <string>
#include <vector>

namespace tessivar {

inline constexpr const char* kTileSetFilter = "VX Tiles (*.vxt)|*.vxt";
inline constexpr const char* kMapFilter = "Tessivar Map (*.vxm)|*.vxm";
inline constexpr const char* kPictureFilter = "Images (*.bmp;*.jpg;*.png)|*.bmp;*.jpg;*.png";
inline constexpr const char* kSourceFilter = "Assembly File (*.asm)(*.z80)|*.asm;*.z80";
inline constexpr const char* kMapSourceFilter = "Assembly files (*.asm,*.inc)|*.asm;*.inc";

struct FileFilterEntry {
    std::string Description; // without any parenthesised pattern list at its end
    std::vector<std::string> Patterns;
    friend bool operator==(const FileFilterEntry&, const FileFilterEntry&) = default;
};

std::vector<FileFilterEntry> FileFilterEntries(const std::string& filter);

} // namespace tessivar
