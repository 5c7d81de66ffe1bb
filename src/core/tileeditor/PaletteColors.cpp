#include "core/tileeditor/PaletteColors.h"

namespace tessivar {

namespace {

PaletteColor fromScreen(int red, int green, int blue) {
    return StoredPaletteColor({red, green, blue});
}

const PalettePreset kPresets[] = {
    {"Greys", greyRampPalette()},
    {"Greens",
     {fromScreen(155, 188, 15), fromScreen(139, 172, 15), fromScreen(48, 98, 48),
      fromScreen(15, 56, 15)}},
};

template <class AnyTileSet> auto& currentPalette(AnyTileSet& tileSet, const EditingState& editing) {
    return tileSet.paletteTable[static_cast<std::size_t>(editing.CurrentPaletteSet)]
                               [static_cast<std::size_t>(editing.CurrentPalette)];
}

constexpr DocumentChange kColorsEdited{TilesChanged, true};

} // namespace

std::span<const PalettePreset> BuiltInPalettePresets() {
    return kPresets;
}

PaletteColor StoredPaletteColor(const Rgb& color) {
    return {color.blue >> 3, color.green >> 3, color.red >> 3};
}

DocumentChange EditPaletteColor(TileSet& tileSet, const EditingState& editing, UserPrompts& prompts,
                                int color) {
    if (color < 0 || color >= kColorsPerPalette)
        return {};
    PaletteColor& entry = currentPalette(tileSet, editing)[static_cast<std::size_t>(color)];
    const auto chosen = prompts.chooseColor(DisplayColor(entry));
    if (!chosen)
        return {};
    entry = StoredPaletteColor(*chosen);
    return kColorsEdited;
}

DocumentChange ApplyPalette(TileSet& tileSet, const EditingState& editing, const Palette& colors) {
    currentPalette(tileSet, editing) = colors;
    return kColorsEdited;
}

Palette CurrentPalette(const TileSet& tileSet, const EditingState& editing) {
    return currentPalette(tileSet, editing);
}

} // namespace tessivar
