#include "core/tileeditor/PaletteColors.h"

namespace tessivar {

namespace {

PaletteColor FromScreen(int red, int green, int blue) {
    return StoredPaletteColor({red, green, blue});
}

const PalettePreset kPresets[] = {
    {"Greys", GreyRampPalette()},
    {"Greens",
     {FromScreen(155, 188, 15), FromScreen(139, 172, 15), FromScreen(48, 98, 48),
      FromScreen(15, 56, 15)}},
};

template <class AnyTileSet>
auto& CurrentPaletteOf(AnyTileSet& tileSet, const TileEditorState& editing) {
    return tileSet.Palettes[static_cast<std::size_t>(editing.CurrentPaletteSet)]
                           [static_cast<std::size_t>(editing.CurrentPalette)];
}

constexpr DocumentChange kColorsEdited{TilesChanged, true};

} // namespace

std::span<const PalettePreset> BuiltInPalettePresets() {
    return kPresets;
}

PaletteColor StoredPaletteColor(const Rgb& color) {
    return {color.Blue >> 3, color.Green >> 3, color.Red >> 3};
}

DocumentChange EditPaletteColor(TileSet& tileSet, const TileEditorState& editing,
                                UserPrompts& prompts, int color) {
    if (color < 0 || color >= kColorsPerPalette)
        return {};
    PaletteColor& entry = CurrentPaletteOf(tileSet, editing)[static_cast<std::size_t>(color)];
    const auto chosen = prompts.ChooseColor(DisplayColor(entry));
    if (!chosen)
        return {};
    entry = StoredPaletteColor(*chosen);
    return kColorsEdited;
}

DocumentChange ApplyPalette(TileSet& tileSet, const TileEditorState& editing,
                            const Palette& colors) {
    CurrentPaletteOf(tileSet, editing) = colors;
    return kColorsEdited;
}

Palette CurrentPalette(const TileSet& tileSet, const TileEditorState& editing) {
    return CurrentPaletteOf(tileSet, editing);
}

} // namespace tessivar
