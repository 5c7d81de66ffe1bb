#include "ui/tileinfo/AnimationPreviewView.h"

#include "core/tileeditor/TileRendering.h"

#include <QImage>
#include <QPainter>

namespace tessivar::ui {

namespace {

// The one place the preview asks the core for a frame's picture: the Block at `frame` in
// the palette set of its first Tile, each pixel in its own Tile's palette. A frame
// outside the Tile slots comes back blank.
RgbImage renderFrame(const TileSet& tileSet, int frame) {
    return RenderTileListBlock(tileSet, frame, AnimationPreviewView::kZoom);
}

} // namespace

AnimationPreviewView::AnimationPreviewView(const Workspace& workspace, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace) {
    setObjectName(QStringLiteral("animationPreview"));
}

void AnimationPreviewView::setFrame(int frame) {
    frame_ = frame;
    update();
}

void AnimationPreviewView::paintEvent(QPaintEvent*) {
    const RgbImage picture = renderFrame(workspace_.tileSet, frame_);
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                       picture.height, picture.width * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

} // namespace tessivar::ui
