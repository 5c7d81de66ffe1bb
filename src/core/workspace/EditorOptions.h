#pragma once

// The editor's options: "Overwrite tiles on paste or import". LoadOptions runs
// when the tile editor is first shown, SaveOptions whenever the "Tile Editor Options"
// dialog closes.

#include "core/workspace/OptionsStore.h"

namespace tessivar {

struct EditorOptions {
    bool OverwriteTiles = false;

    // Takes "Overwrite" from the store when it is there (ticked for any non-zero value);
    // otherwise the option keeps its state, also when the store failed.
    Status LoadOptions(OptionsStore& store);
    // Writes "Overwrite" as 1 or 0.
    Status SaveOptions(OptionsStore& store) const;
};

} // namespace tessivar
