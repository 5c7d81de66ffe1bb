#pragma once

// The width rule of the "Map View" toggle: hiding the map view pane remembers its width,
// showing it again gives the left pane what the pane does not take back, never less
// than 30 pixels.

namespace tessivar {

// What the pane occupied when it was hidden.
int MapViewWidthOnHide(int clientWidth, int leftPaneWidth);

// The left pane's width when the pane comes back: clientWidth - remembered when that is
// at least 31, otherwise 30.
int LeftPaneWidthOnShow(int clientWidth, int rememberedMapViewWidth);

} // namespace tessivar
