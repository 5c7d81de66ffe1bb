#include "core/export/FormatEditing.h"

#include "core/model/LenientInteger.h"

namespace tessivar {

namespace {

ExportProperty& RowOf(ExportFormat& format, int row) {
    return format.Properties[static_cast<std::size_t>(row - 1)];
}

} // namespace

bool ChoosePropertyKind(ExportFormat& format, int row, PropertyKind kind, int category,
                        int categoryType, BlockSize block) {
    if (row < 1 || row > format.PropertyCount + 1 || row > kMaxExportProperties)
        return false;
    ExportProperty& property = RowOf(format, row);
    property.Kind = kind;
    property.Category = category;
    property.Width = DefaultWidth(kind, categoryType, block, property.Width);
    if (row == 1)
        property.Section = 1;
    else if (row >= format.PropertyCount)
        property.Section = RowOf(format, row - 1).Section;
    if (row == format.PropertyCount + 1)
        ++format.PropertyCount;
    return true;
}

bool TypePropertyWidth(ExportFormat& format, int row, std::string_view text) {
    if (row < 1 || row > format.PropertyCount)
        return false;
    RowOf(format, row).Width = ParseLenientInteger(text);
    return true;
}

bool TypePropertySection(ExportFormat& format, int row, std::string_view text) {
    if (row < 1 || row > format.PropertyCount)
        return false;
    RowOf(format, row).Section = ParseLenientInteger(text);
    return true;
}

bool InsertPropertyRow(ExportFormat& format, int row, ExportProperty inserted) {
    if (row < 1 || row > format.PropertyCount)
        return false;
    inserted.Section = RowOf(format, row).Section;
    return format.InsertProperty(row, inserted);
}

bool TypeSectionLabel(ExportFormat& format, int row, std::string_view text) {
    if (!IsValidLabel(text))
        return false;
    if (row == format.SectionCount + 1)
        return format.AppendSection(text);
    if (row < 1 || row > format.SectionCount)
        return false;
    format.SetLabel(row, text);
    return true;
}

} // namespace tessivar
