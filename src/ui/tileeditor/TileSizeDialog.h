#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;

namespace tessivar::ui {

// "Tile Size": width and height of a custom Block. There is no cancel button; the close
// box leaves everything as it was. The fields keep what was typed last time.
class TileSizeDialog : public QDialog {
    Q_OBJECT

public:
    // Called by "Change" with the two texts; true accepts and closes the dialog, false
    // (after the check has told the user why) keeps it open.
    using Applier = std::function<bool(const std::string& width, const std::string& height)>;

    explicit TileSizeDialog(QWidget* parent = nullptr);

    // Shows the dialog modally; true when a size was accepted.
    bool Ask(const Applier& apply);

    QLineEdit* WidthField() const { return width_; }
    QLineEdit* HeightField() const { return height_; }

private:
    void Change();

    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    Applier apply_;
};

} // namespace tessivar::ui
