#include "ui/tileinfo/AnimationPreviewView.h"

#include "core/render/BlockPainter.h"
#include "ui/common/RgbImageView.h"

#include <QImage>
#include <QPainter>

namespace tessivar::ui {

namespace {

// The one place the preview asks the core for a frame's picture: the Block at `frame` in
// the palette set of its first Tile, each pixel in its own Tile's palette. A frame
// outside the Tile slots comes back blank.
RgbImage RenderFrame(const TileSet& tileSet, int frame) {
    const int zoom = AnimationPreviewView::kZoom;
    RgbImage picture(tileSet.Block.Width * zoom, tileSet.Block.Height * zoom);
    BlockLook look;
    look.Block = tileSet.Block;
    look.FirstTile = frame;
    look.PaletteSet = kFirstTilesPaletteSet;
    look.Zoom = zoom;
    PaintBlock(tileSet, look, picture, 0, 0);
    return picture;
}

} // namespace

AnimationPreviewView::AnimationPreviewView(const Workspace& workspace, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace) {
    setObjectName(QStringLiteral("animationPreview"));
}

void AnimationPreviewView::SetFrame(int frame) {
    frame_ = frame;
    update();
}

void AnimationPreviewView::paintEvent(QPaintEvent*) {
    const RgbImage picture = RenderFrame(workspace_.CurrentTileSet, frame_);
    QPainter painter(this);
    painter.drawImage(0, 0, RgbImageView(picture));
}

} // namespace tessivar::ui
