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

template <class AnyWorkspace> auto& currentPalette(AnyWorkspace& workspace) {
    const EditingState& editing = workspace.editing;
    return workspace.tileSet.paletteTable[static_cast<std::size_t>(editing.CurrentPaletteSet)]
                                         [static_cast<std::size_t>(editing.CurrentPalette)];
}

} // namespace

std::span<const PalettePreset> BuiltInPalettePresets() {
    return kPresets;
}

PaletteColor StoredPaletteColor(const Rgb& color) {
    return {color.blue >> 3, color.green >> 3, color.red >> 3};
}

bool EditPaletteColor(Workspace& workspace, UserPrompts& prompts, int color) {
    if (color < 0 || color >= kColorsPerPalette)
        return false;
    PaletteColor& entry = currentPalette(workspace)[static_cast<std::size_t>(color)];
    const auto chosen = prompts.chooseColor(DisplayColor(entry));
    if (!chosen)
        return false;
    entry = StoredPaletteColor(*chosen);
    workspace.MarkModified();
    workspace.notify(TilesChanged);
    return true;
}

void ApplyPalette(Workspace& workspace, const Palette& colors) {
    currentPalette(workspace) = colors;
    workspace.MarkModified();
    workspace.notify(TilesChanged);
}

Palette CurrentPalette(const Workspace& workspace) {
    return currentPalette(workspace);
}

} // namespace tessivar
