#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace tessivar::ui {

// "Number of Tiles": the new count in Blocks, with "Change" and "Cancel".
class TileCountDialog : public QDialog {
    Q_OBJECT

public:
    explicit TileCountDialog(QWidget* parent = nullptr);

    // Shows the dialog modally with `preset` in the field; the typed text after
    // "Change", nullopt after "Cancel" or the close box.
    std::optional<std::string> Ask(const std::string& preset);

    QLineEdit* CountField() const { return count_; }

private:
    QLineEdit* count_ = nullptr;
};

} // namespace tessivar::ui
