#pragma once

// The "Included" list of the tile export with its "From tile #:" and "To #:" fields.

#include <string>
#include <vector>

namespace tessivar {

struct IncludedBlocks {
    std::vector<bool> checked; // entry k: Block k is exported
    std::string fromText = "0";
    std::string toText = "0";

    // Showing the dialog: one entry per Block; a selection wider than one Block checks
    // the Blocks it touches, otherwise every Block is checked.
    void rebuild(int blocks, int tilesPerBlock, int selectionStart, int selectionEnd);
    // A new text of either range field; applies the range when it changed.
    void setRange(const std::string& from, const std::string& to);
    // Checks exactly the entries From <= k <= To.
    void applyRange();
    // Appends checked entries up to `blocks` and sets "To #:" to the last Block.
    void refresh(int blocks);
};

} // namespace tessivar
