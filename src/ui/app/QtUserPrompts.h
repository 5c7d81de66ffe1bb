#pragma once

#include "core/workspace/UserPrompts.h"

class QWidget;

namespace tessivar::ui {

// The real dialogs: Qt message boxes, file dialogs and the colour dialog.
class QtUserPrompts : public UserPrompts {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void showMessage(const std::string& text, const std::string& caption) override;
    Answer askYesNoCancel(const std::string& text, const std::string& caption) override;
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) override;
    std::optional<Rgb> chooseColor(const Rgb& initial) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace tessivar::ui
