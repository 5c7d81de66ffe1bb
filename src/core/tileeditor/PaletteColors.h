#pragma once

// The colours of the palettes: the user's own colour for one entry, chosen in the colour
// dialog, and whole palettes taken from presets. Colours are stored as the tile set file
// holds them, three 5-bit components in the order blue, green, red.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"
#include "core/workspace/UserPrompts.h"

#include <span>

namespace tessivar {

struct PalettePreset {
    const char* Name;
    Palette Colors;
};

// "Greys" (the ramp every palette starts with) and "Greens", lightest first.
std::span<const PalettePreset> BuiltInPalettePresets();

// The stored form of a screen colour: each channel keeps its top five bits.
PaletteColor StoredPaletteColor(const Rgb& color);

// Opens the colour dialog preset to colour `color` of the current palette; OK stores the
// choice there and modifies the set. Nothing changes when the dialog was cancelled.
DocumentChange EditPaletteColor(TileSet& tileSet, const TileEditorState& editing,
                                UserPrompts& prompts, int color);

// Writes `colors` into the current palette and modifies the set.
DocumentChange ApplyPalette(TileSet& tileSet, const TileEditorState& editing,
                            const Palette& colors);

// The current palette, to be kept as a preset.
Palette CurrentPalette(const TileSet& tileSet, const TileEditorState& editing);

} // namespace tessivar
