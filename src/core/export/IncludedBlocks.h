#pragma once

// The "Included" list of the tile export with its "From tile #:" and "To #:" fields.

#include <string>
#include <vector>

namespace tessivar {

struct IncludedBlocks {
    std::vector<bool> Checked; // entry k: Block k is exported
    std::string FromText = "0";
    std::string ToText = "0";

    // Showing the dialog: one entry per Block; a selection wider than one Block checks
    // the Blocks it touches, otherwise every Block is checked.
    void Rebuild(int blocks, int tilesPerBlock, int selectionStart, int selectionEnd);
    // A new text of either range field; applies the range when it changed.
    void SetRange(const std::string& from, const std::string& to);
    // Checks exactly the entries From <= k <= To.
    void ApplyRange();
    // Appends checked entries up to `blocks` and sets "To #:" to the last Block.
    void Refresh(int blocks);
};

} // namespace tessivar
