#pragma once

// What an export writes for every Block (tile export) or map position (map export): an
// ordered list of properties, each a kind of data with a bit width, grouped by section
// number into labelled sections. Both lists are fixed arrays with a count; entries
// beyond a count keep stale contents until overwritten.

#include "core/model/BlockGeometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessivar {

class TileSet;

constexpr int kMaxExportProperties = 32;
constexpr int kMaxExportSections = 32;
constexpr int kMaxLabelChars = 31;
// A map position's record for one section: at most 32 bytes.
constexpr int kMaxMapRecordBits = 256;
// Far above what any real record needs (grayscale data of a 240 x 128 Block is 61,440
// bits), and small enough that no size arithmetic can overflow.
constexpr std::int32_t kMaxFieldBits = 65536;
constexpr std::int64_t kMaxRecordBytes = 65536;

enum class PropertyKind {
    BwTileData,
    GrayTileData,
    ZeroFiller,
    OneFiller,
    Category,
    TileNumber,
    HorizontalFlip,
    VerticalFlip,
};

enum class SourceDialect { Z80, M68k };

// " .db " or " dc.b ", and the same after a line break for continued records.
std::string_view FirstDirective(SourceDialect dialect);
std::string_view ContinuationDirective(SourceDialect dialect);

struct ExportProperty;

// What a property row shows as its kind: "B&W Tile Data", "Grayscale Tile Data",
// "0 Filler", "1 Filler", "Tile #", "Horizontal Flip", "Vertical Flip", or the name of
// the tile set's category.
std::string PropertyCaption(const ExportProperty& property, const TileSet& tileSet);

struct ExportProperty {
    PropertyKind Kind = PropertyKind::BwTileData;
    int Category = 0;         // for PropertyKind::Category
    std::int32_t Width = 0;   // bits; 0 writes nothing
    std::int32_t Section = 1; // 1-based section number

    bool IsTileData() const {
        return Kind == PropertyKind::BwTileData || Kind == PropertyKind::GrayTileData;
    }
    friend bool operator==(const ExportProperty&, const ExportProperty&) = default;
};

using SectionLabel = std::array<char, kMaxLabelChars + 1>;

struct ExportFormat {
    std::array<ExportProperty, kMaxExportProperties> Properties{};
    int PropertyCount = 0;
    std::array<SectionLabel, kMaxExportSections> Labels{};
    int SectionCount = 0;

    // Label of section s (1-based).
    std::string Label(int s) const;
    // Stores the label of section s, cut to 31 characters.
    void SetLabel(int s, std::string_view text);

    // Property list edits on 1-based rows; each refuses (false) what would pass the limit
    // or name no row.
    bool AppendProperty(const ExportProperty& property);
    bool InsertProperty(int row, const ExportProperty& property);
    bool DeleteProperty(int row);
    bool SwapProperties(int row, int otherRow);
    // Section list edits; only labels move, properties keep their section numbers.
    bool AppendSection(std::string_view label);
    bool InsertSection(int row);
    bool DeleteSection(int row);
    bool SwapSections(int row, int otherRow);

    bool UsesCategories() const;

    friend bool operator==(const ExportFormat&, const ExportFormat&) = default;
};

// Bits of one Block row of one plane: whole bytes, TilesAcross of them.
inline std::int32_t TileDataWidth(BlockSize block) {
    return block.TilesAcross() * block.Height * 8;
}

// Sets every tile-data row to the width of the data it writes for this Block size.
void RefreshTileDataWidths(ExportFormat& format, BlockSize block);

// The width a row gets when its kind is chosen: tile data by the Block size, fillers and
// flips 1, tile numbers 8, categories by type (Boolean 1, Byte 8, Word and Time 16); a
// category of any other type keeps `currentWidth`.
std::int32_t DefaultWidth(PropertyKind kind, int categoryType, BlockSize block,
                          std::int32_t currentWidth);

enum class TilePreset { BwOnly, GrayOnly, BwAnim, GrayAnim };
constexpr int kTilePresetCount = 4;
// The captions of the tile presets, in list order; "Custom" follows them.
extern const std::array<const char*, kTilePresetCount> kTilePresetNames;
extern const char* const kMapPresetName;
extern const char* const kCustomPresetName;

ExportFormat TileFormatPreset(TilePreset preset, BlockSize block);
// "Standard Format": the tile number, 8 bits, in section "mapData".
ExportFormat MapFormatPreset();

// Bytes of the record of section s: the widths of its properties in order, tile data
// starting on a whole byte; 0 when the section writes nothing.
std::int64_t SectionRecordBytes(const ExportFormat& format, int s);

// A label holds no control characters, so that it cannot break the source into lines.
bool IsValidLabel(std::string_view text);

} // namespace tessivar
