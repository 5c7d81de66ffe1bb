#include "core/tileeditor/MapViewPaneWidth.h"

namespace tessivar {

int MapViewWidthOnHide(int clientWidth, int leftPaneWidth) {
    return clientWidth - leftPaneWidth;
}

int LeftPaneWidthOnShow(int clientWidth, int rememberedMapViewWidth) {
    constexpr int kNarrowestLeftPane = 30;
    const int left = clientWidth - rememberedMapViewWidth;
    return left >= kNarrowestLeftPane + 1 ? left : kNarrowestLeftPane;
}

} // namespace tessivar
