#pragma once

// The edits the two format grids make, on 1-based rows; the row below the last one (the
// empty row) appends. Each returns true when it changed the format, which switches the
// preset list to "Custom" where the dialog says so.

#include "core/export/ExportFormat.h"

#include <string_view>

namespace tessivar {

// Chooses the kind of property row `row` (1 .. count + 1) with its default width; the
// first row goes to section 1, the last and the empty row to the section of the row
// above. Refused on the empty row when 32 properties exist.
bool ChoosePropertyKind(ExportFormat& format, int row, PropertyKind kind, int category,
                        int categoryType, BlockSize block);
// Typed text of a "Bits" or "Sctn" cell, read leniently (rows 1 .. count).
bool TypePropertyWidth(ExportFormat& format, int row, std::string_view text);
bool TypePropertySection(ExportFormat& format, int row, std::string_view text);
// "&Insert Property": `inserted` goes in at `row`, in the section of the row it pushes down.
bool InsertPropertyRow(ExportFormat& format, int row, ExportProperty inserted);
// Typed label of section row `row`; on the empty row it appends a section. A label
// holding a control character is refused.
bool TypeSectionLabel(ExportFormat& format, int row, std::string_view text);

} // namespace tessivar
