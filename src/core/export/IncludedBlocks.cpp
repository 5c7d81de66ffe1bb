#include "core/export/IncludedBlocks.h"

#include "core/model/LenientInteger.h"

namespace tessivar {

void IncludedBlocks::Rebuild(int blocks, int tilesPerBlock, int selectionStart, int selectionEnd) {
    Checked.assign(static_cast<std::size_t>(blocks < 0 ? 0 : blocks), true);
    if (selectionEnd - selectionStart + 1 > tilesPerBlock) {
        for (std::size_t k = 0; k < Checked.size(); ++k)
            Checked[k] = selectionStart / tilesPerBlock <= static_cast<int>(k) &&
                         static_cast<int>(k) <= selectionEnd / tilesPerBlock;
        SetRange(std::to_string(selectionStart / tilesPerBlock),
                 std::to_string(selectionEnd / tilesPerBlock));
    } else {
        SetRange("0", std::to_string(blocks - 1));
    }
}

void IncludedBlocks::SetRange(const std::string& from, const std::string& to) {
    // The fields are set one after the other, and each change applies the range.
    if (from != FromText) {
        FromText = from;
        ApplyRange();
    }
    if (to != ToText) {
        ToText = to;
        ApplyRange();
    }
}

void IncludedBlocks::ApplyRange() {
    const int from = ParseLenientInteger(FromText);
    const int to = ParseLenientInteger(ToText);
    for (std::size_t k = 0; k < Checked.size(); ++k)
        Checked[k] = from <= static_cast<int>(k) && static_cast<int>(k) <= to;
}

void IncludedBlocks::Refresh(int blocks) {
    if (static_cast<int>(Checked.size()) < blocks)
        Checked.resize(static_cast<std::size_t>(blocks), true);
    SetRange(FromText, std::to_string(blocks - 1));
}

} // namespace tessivar
