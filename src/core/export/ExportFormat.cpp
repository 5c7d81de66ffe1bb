#include "core/export/ExportFormat.h"

#include "core/model/TileSet.h"

#include <algorithm>
#include <cstring>

namespace tessivar {

const std::array<const char*, kTilePresetCount> kTilePresetNames = {
    "B&W tile data only", "Grayscale tile data only", "B&W tile/animation data",
    "Grayscale tile/anim data"};
const char* const kMapPresetName = "Standard Format";
const char* const kCustomPresetName = "Custom";

std::string PropertyCaption(const ExportProperty& property, const TileSet& tileSet) {
    switch (property.Kind) {
    case PropertyKind::BwTileData:
        return "B&W Tile Data";
    case PropertyKind::GrayTileData:
        return "Grayscale Tile Data";
    case PropertyKind::ZeroFiller:
        return "0 Filler";
    case PropertyKind::OneFiller:
        return "1 Filler";
    case PropertyKind::TileNumber:
        return "Tile #";
    case PropertyKind::HorizontalFlip:
        return "Horizontal Flip";
    case PropertyKind::VerticalFlip:
        return "Vertical Flip";
    case PropertyKind::Category:
        break;
    }
    if (property.Category < 0 || property.Category >= kMaxCategories)
        return {};
    return tileSet.Categories[static_cast<std::size_t>(property.Category)].NameText();
}

std::string_view FirstDirective(SourceDialect dialect) {
    return dialect == SourceDialect::Z80 ? " .db " : " dc.b ";
}

std::string_view ContinuationDirective(SourceDialect dialect) {
    return dialect == SourceDialect::Z80 ? "\r\n .db " : "\r\n dc.b ";
}

std::string ExportFormat::Label(int s) const {
    const SectionLabel& stored = Labels[static_cast<std::size_t>(s - 1)];
    return std::string(stored.data(), ::strnlen(stored.data(), stored.size()));
}

void ExportFormat::SetLabel(int s, std::string_view text) {
    SectionLabel& stored = Labels[static_cast<std::size_t>(s - 1)];
    stored.fill('\0');
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), kMaxLabelChars), stored.begin());
}

bool ExportFormat::AppendProperty(const ExportProperty& property) {
    return InsertProperty(PropertyCount + 1, property);
}

bool ExportFormat::InsertProperty(int row, const ExportProperty& property) {
    if (PropertyCount >= kMaxExportProperties || row < 1 || row > PropertyCount + 1)
        return false;
    std::copy_backward(Properties.begin() + row - 1, Properties.begin() + PropertyCount,
                       Properties.begin() + PropertyCount + 1);
    Properties[static_cast<std::size_t>(row - 1)] = property;
    ++PropertyCount;
    return true;
}

bool ExportFormat::DeleteProperty(int row) {
    if (row < 1 || row > PropertyCount)
        return false;
    std::copy(Properties.begin() + row, Properties.begin() + PropertyCount,
              Properties.begin() + row - 1);
    --PropertyCount;
    return true;
}

bool ExportFormat::SwapProperties(int row, int otherRow) {
    if (row < 1 || otherRow < 1 || row > PropertyCount || otherRow > PropertyCount)
        return false;
    std::swap(Properties[static_cast<std::size_t>(row - 1)],
              Properties[static_cast<std::size_t>(otherRow - 1)]);
    return true;
}

bool ExportFormat::AppendSection(std::string_view text) {
    if (!InsertSection(SectionCount + 1))
        return false;
    SetLabel(SectionCount, text);
    return true;
}

bool ExportFormat::InsertSection(int row) {
    if (SectionCount >= kMaxExportSections || row < 1 || row > SectionCount + 1)
        return false;
    std::copy_backward(Labels.begin() + row - 1, Labels.begin() + SectionCount,
                       Labels.begin() + SectionCount + 1);
    Labels[static_cast<std::size_t>(row - 1)].fill('\0');
    ++SectionCount;
    return true;
}

bool ExportFormat::DeleteSection(int row) {
    if (row < 1 || row > SectionCount)
        return false;
    std::copy(Labels.begin() + row, Labels.begin() + SectionCount, Labels.begin() + row - 1);
    --SectionCount;
    return true;
}

bool ExportFormat::SwapSections(int row, int otherRow) {
    if (row < 1 || otherRow < 1 || row > SectionCount || otherRow > SectionCount)
        return false;
    std::swap(Labels[static_cast<std::size_t>(row - 1)],
              Labels[static_cast<std::size_t>(otherRow - 1)]);
    return true;
}

bool ExportFormat::UsesCategories() const {
    return std::any_of(Properties.begin(), Properties.begin() + PropertyCount,
                       [](const ExportProperty& p) { return p.Kind == PropertyKind::Category; });
}

void RefreshTileDataWidths(ExportFormat& format, BlockSize block) {
    for (int i = 0; i < format.PropertyCount; ++i) {
        ExportProperty& property = format.Properties[static_cast<std::size_t>(i)];
        if (property.IsTileData())
            property.Width = DefaultWidth(property.Kind, 0, block, property.Width);
    }
}

std::int32_t DefaultWidth(PropertyKind kind, int categoryType, BlockSize block,
                          std::int32_t currentWidth) {
    switch (kind) {
    case PropertyKind::BwTileData:
        return TileDataWidth(block);
    case PropertyKind::GrayTileData:
        return 2 * TileDataWidth(block);
    case PropertyKind::TileNumber:
        return 8;
    case PropertyKind::Category:
        switch (categoryType) {
        case 0:
            return 1;
        case 1:
            return 8;
        case 2:
        case 3:
            return 16;
        default:
            return currentWidth;
        }
    default:
        return 1;
    }
}

ExportFormat TileFormatPreset(TilePreset preset, BlockSize block) {
    const bool gray = preset == TilePreset::GrayOnly || preset == TilePreset::GrayAnim;
    const PropertyKind data = gray ? PropertyKind::GrayTileData : PropertyKind::BwTileData;
    ExportFormat format;
    format.AppendProperty({data, 0, DefaultWidth(data, 0, block, 0), 1});
    format.AppendSection("tileData");
    if (preset == TilePreset::BwAnim || preset == TilePreset::GrayAnim) {
        format.AppendProperty({PropertyKind::Category, 1, 8, 2});
        format.AppendSection("animData");
    }
    return format;
}

ExportFormat MapFormatPreset() {
    ExportFormat format;
    format.AppendProperty({PropertyKind::TileNumber, 0, 8, 1});
    format.AppendSection("mapData");
    return format;
}

std::int64_t SectionRecordBytes(const ExportFormat& format, int s) {
    std::int64_t bits = 0;
    for (int i = 0; i < format.PropertyCount; ++i) {
        const ExportProperty& property = format.Properties[static_cast<std::size_t>(i)];
        if (property.Section != s || property.Width <= 0)
            continue;
        if (property.IsTileData())
            bits = (bits + 7) / 8 * 8;
        bits += property.Width;
    }
    return (bits + 7) / 8;
}

bool IsValidLabel(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

} // namespace tessivar
