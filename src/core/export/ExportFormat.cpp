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
    switch (property.kind) {
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
    if (property.category < 0 || property.category >= kMaxCategories)
        return {};
    return tileSet.categories[static_cast<std::size_t>(property.category)].nameText();
}

std::string_view FirstDirective(SourceDialect dialect) {
    return dialect == SourceDialect::Z80 ? " .db " : " dc.b ";
}

std::string_view ContinuationDirective(SourceDialect dialect) {
    return dialect == SourceDialect::Z80 ? "\r\n .db " : "\r\n dc.b ";
}

std::string ExportFormat::label(int s) const {
    const SectionLabel& stored = labels[static_cast<std::size_t>(s - 1)];
    return std::string(stored.data(), ::strnlen(stored.data(), stored.size()));
}

void ExportFormat::setLabel(int s, std::string_view text) {
    SectionLabel& stored = labels[static_cast<std::size_t>(s - 1)];
    stored.fill('\0');
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), kMaxLabelChars), stored.begin());
}

bool ExportFormat::appendProperty(const ExportProperty& property) {
    return insertProperty(propertyCount + 1, property);
}

bool ExportFormat::insertProperty(int row, const ExportProperty& property) {
    if (propertyCount >= kMaxExportProperties || row < 1 || row > propertyCount + 1)
        return false;
    std::copy_backward(properties.begin() + row - 1, properties.begin() + propertyCount,
                       properties.begin() + propertyCount + 1);
    properties[static_cast<std::size_t>(row - 1)] = property;
    ++propertyCount;
    return true;
}

bool ExportFormat::deleteProperty(int row) {
    if (row < 1 || row > propertyCount)
        return false;
    std::copy(properties.begin() + row, properties.begin() + propertyCount,
              properties.begin() + row - 1);
    --propertyCount;
    return true;
}

bool ExportFormat::swapProperties(int row, int otherRow) {
    if (row < 1 || otherRow < 1 || row > propertyCount || otherRow > propertyCount)
        return false;
    std::swap(properties[static_cast<std::size_t>(row - 1)],
              properties[static_cast<std::size_t>(otherRow - 1)]);
    return true;
}

bool ExportFormat::appendSection(std::string_view text) {
    if (!insertSection(sectionCount + 1))
        return false;
    setLabel(sectionCount, text);
    return true;
}

bool ExportFormat::insertSection(int row) {
    if (sectionCount >= kMaxExportSections || row < 1 || row > sectionCount + 1)
        return false;
    std::copy_backward(labels.begin() + row - 1, labels.begin() + sectionCount,
                       labels.begin() + sectionCount + 1);
    labels[static_cast<std::size_t>(row - 1)].fill('\0');
    ++sectionCount;
    return true;
}

bool ExportFormat::deleteSection(int row) {
    if (row < 1 || row > sectionCount)
        return false;
    std::copy(labels.begin() + row, labels.begin() + sectionCount, labels.begin() + row - 1);
    --sectionCount;
    return true;
}

bool ExportFormat::swapSections(int row, int otherRow) {
    if (row < 1 || otherRow < 1 || row > sectionCount || otherRow > sectionCount)
        return false;
    std::swap(labels[static_cast<std::size_t>(row - 1)],
              labels[static_cast<std::size_t>(otherRow - 1)]);
    return true;
}

bool ExportFormat::usesCategories() const {
    return std::any_of(properties.begin(), properties.begin() + propertyCount,
                       [](const ExportProperty& p) { return p.kind == PropertyKind::Category; });
}

void RefreshTileDataWidths(ExportFormat& format, BlockSize block) {
    for (int i = 0; i < format.propertyCount; ++i) {
        ExportProperty& property = format.properties[static_cast<std::size_t>(i)];
        if (property.isTileData())
            property.width = DefaultWidth(property.kind, 0, block, property.width);
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
    format.appendProperty({data, 0, DefaultWidth(data, 0, block, 0), 1});
    format.appendSection("tileData");
    if (preset == TilePreset::BwAnim || preset == TilePreset::GrayAnim) {
        format.appendProperty({PropertyKind::Category, 1, 8, 2});
        format.appendSection("animData");
    }
    return format;
}

ExportFormat MapFormatPreset() {
    ExportFormat format;
    format.appendProperty({PropertyKind::TileNumber, 0, 8, 1});
    format.appendSection("mapData");
    return format;
}

std::int64_t SectionRecordBytes(const ExportFormat& format, int s) {
    std::int64_t bits = 0;
    for (int i = 0; i < format.propertyCount; ++i) {
        const ExportProperty& property = format.properties[static_cast<std::size_t>(i)];
        if (property.section != s || property.width <= 0)
            continue;
        if (property.isTileData())
            bits = (bits + 7) / 8 * 8;
        bits += property.width;
    }
    return (bits + 7) / 8;
}

bool IsValidLabel(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

} // namespace tessivar
