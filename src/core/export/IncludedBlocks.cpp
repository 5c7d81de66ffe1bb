#include "core/export/IncludedBlocks.h"

#include "core/model/LenientInteger.h"

namespace tessivar {

void IncludedBlocks::rebuild(int blocks, int tilesPerBlock, int selectionStart, int selectionEnd) {
    checked.assign(static_cast<std::size_t>(blocks < 0 ? 0 : blocks), true);
    if (selectionEnd - selectionStart + 1 > tilesPerBlock) {
        for (std::size_t k = 0; k < checked.size(); ++k)
            checked[k] = selectionStart / tilesPerBlock <= static_cast<int>(k) &&
                         static_cast<int>(k) <= selectionEnd / tilesPerBlock;
        setRange(std::to_string(selectionStart / tilesPerBlock),
                 std::to_string(selectionEnd / tilesPerBlock));
    } else {
        setRange("0", std::to_string(blocks - 1));
    }
}

void IncludedBlocks::setRange(const std::string& from, const std::string& to) {
    // The fields are set one after the other, and each change applies the range.
    if (from != fromText) {
        fromText = from;
        applyRange();
    }
    if (to != toText) {
        toText = to;
        applyRange();
    }
}

void IncludedBlocks::applyRange() {
    const int from = ParseLenientInteger(fromText);
    const int to = ParseLenientInteger(toText);
    for (std::size_t k = 0; k < checked.size(); ++k)
        checked[k] = from <= static_cast<int>(k) && static_cast<int>(k) <= to;
}

void IncludedBlocks::refresh(int blocks) {
    if (static_cast<int>(checked.size()) < blocks)
        checked.resize(static_cast<std::size_t>(blocks), true);
    setRange(fromText, std::to_string(blocks - 1));
}

} // namespace tessivar
