#include "core/export/FormatEditing.h"

#include "core/model/LenientInteger.h"

namespace tessivar {

namespace {

ExportProperty& rowOf(ExportFormat& format, int row) {
    return format.properties[static_cast<std::size_t>(row - 1)];
}

} // namespace

bool ChoosePropertyKind(ExportFormat& format, int row, PropertyKind kind, int category,
                        int categoryType, BlockSize block) {
    if (row < 1 || row > format.propertyCount + 1 || row > kMaxExportProperties)
        return false;
    ExportProperty& property = rowOf(format, row);
    property.kind = kind;
    property.category = category;
    property.width = DefaultWidth(kind, categoryType, block, property.width);
    if (row == 1)
        property.section = 1;
    else if (row >= format.propertyCount)
        property.section = rowOf(format, row - 1).section;
    if (row == format.propertyCount + 1)
        ++format.propertyCount;
    return true;
}

bool TypePropertyWidth(ExportFormat& format, int row, std::string_view text) {
    if (row < 1 || row > format.propertyCount)
        return false;
    rowOf(format, row).width = ParseLenientInteger(text);
    return true;
}

bool TypePropertySection(ExportFormat& format, int row, std::string_view text) {
    if (row < 1 || row > format.propertyCount)
        return false;
    rowOf(format, row).section = ParseLenientInteger(text);
    return true;
}

bool InsertPropertyRow(ExportFormat& format, int row, ExportProperty inserted) {
    if (row < 1 || row > format.propertyCount)
        return false;
    inserted.section = rowOf(format, row).section;
    return format.insertProperty(row, inserted);
}

bool TypeSectionLabel(ExportFormat& format, int row, std::string_view text) {
    if (!IsValidLabel(text))
        return false;
    if (row == format.sectionCount + 1)
        return format.appendSection(text);
    if (row < 1 || row > format.sectionCount)
        return false;
    format.setLabel(row, text);
    return true;
}

} // namespace tessivar
