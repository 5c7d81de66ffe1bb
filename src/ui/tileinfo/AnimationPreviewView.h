#pragma once

#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// The preview area of the Animation dialog: the Block starting at the frame Tile, each
// tile pixel a 4 x 4 square at the top-left corner, on the dialog's grey.
class AnimationPreviewView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kZoom = 4;

    explicit AnimationPreviewView(const Workspace& workspace, QWidget* parent = nullptr);

    void SetFrame(int frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Workspace& workspace_;
    int frame_ = 0;
};

} // namespace tessivar::ui
