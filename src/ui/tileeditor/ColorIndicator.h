#pragma once

#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// A small square showing the left or the right drawing colour in the current palette.
class ColorIndicator : public QWidget {
    Q_OBJECT

public:
    enum class Side { Left, Right };

    ColorIndicator(Workspace& workspace, Side side, QWidget* parent = nullptr);

    // The colour the square shows now.
    QColor ShownColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Workspace& workspace_;
    Side side_;
};

} // namespace tessivar::ui
