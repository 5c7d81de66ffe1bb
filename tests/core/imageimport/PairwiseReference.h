#pragma once

// The duplicate search done the direct way: every kept entry against every later one,
// with a pass over the map's cells for every merge. Quadratic; the reference the hashed
// search is checked and timed against.

#include "core/imageimport/DuplicateRemoval.h"

#include <vector>

namespace tessivar::testing {

struct WideCell {
    int tile = 0;
    bool hflip = false;
    bool vflip = false;
};

inline bool holds(const Tile& i, const Tile& j, bool upsideDown, bool mirrored) {
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if (j[(upsideDown ? 7 - r : r) * 8 + (mirrored ? 7 - c : c)] != i[r * 8 + c])
                return false;
    return true;
}

// Entry k's cell starts as Tile k without flags.
inline std::vector<WideCell> pairwiseRemoval(std::vector<Tile>& entries, DuplicateMode mode) {
    std::vector<WideCell> cells(entries.size());
    for (std::size_t k = 0; k < cells.size(); ++k)
        cells[k].tile = static_cast<int>(k);
    if (mode == DuplicateMode::None)
        return cells;
    const bool full = mode == DuplicateMode::Full;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        int j = i + 1;
        while (j < static_cast<int>(entries.size())) {
            bool toggleH = false, toggleV = false, merge = true;
            if (holds(entries[i], entries[j], false, false)) {
            } else if (full && holds(entries[i], entries[j], true, false)) {
                toggleV = true;
            } else if (full && holds(entries[i], entries[j], false, true)) {
                toggleH = true;
            } else if (full && holds(entries[i], entries[j], true, true)) {
                toggleH = toggleV = true;
            } else {
                merge = false;
            }
            if (!merge) {
                ++j;
                continue;
            }
            for (WideCell& cell : cells) {
                if (cell.tile == j) {
                    cell.hflip ^= toggleH;
                    cell.vflip ^= toggleV;
                    cell.tile = i;
                } else if (cell.tile > j) {
                    --cell.tile;
                }
            }
            entries.erase(entries.begin() + j);
        }
    }
    return cells;
}

} // namespace tessivar::testing
