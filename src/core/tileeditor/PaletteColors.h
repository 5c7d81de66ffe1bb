#pragma once

// The colours of the palettes: the user's own colour for one entry, chosen in the colour
// dialog, and whole palettes taken from presets. Colours are stored as the tile set file
// holds them, three 5-bit components in the order blue, green, red.

#include "core/workspace/Workspace.h"

#include <span>

namespace tessivar {

struct PalettePreset {
    const char* name;
    Palette colors;
};

// "Greys" (the ramp every palette starts with) and "Greens", lightest first.
std::span<const PalettePreset> BuiltInPalettePresets();

// The stored form of a screen colour: each channel keeps its top five bits.
PaletteColor StoredPaletteColor(const Rgb& color);

// Opens the colour dialog preset to colour `color` of the current palette; OK stores the
// choice there and marks the set modified. False when the dialog was cancelled.
bool EditPaletteColor(Workspace& workspace, UserPrompts& prompts, int color);

// Writes `colors` into the current palette and marks the set modified.
void ApplyPalette(Workspace& workspace, const Palette& colors);

// The current palette, to be kept as a preset.
Palette CurrentPalette(const Workspace& workspace);

} // namespace tessivar
