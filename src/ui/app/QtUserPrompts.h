#pragma once

#include "core/workspace/UserPrompts.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace tessivar::ui {

// The real dialogs: Qt message boxes, file dialogs and the colour dialog. Each one is
// centred on the window the user is working in: the one that took the last mouse press or
// key press, else the active window, else the main window when shown; before any of them
// is visible (at start-up) it is centred on the screen.
class QtUserPrompts : public QObject, public UserPrompts {
public:
    QtUserPrompts();

    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    // The window the next dialog is centred on; null for the screen.
    QWidget* WorkingWindow() const;

    void ShowMessage(const std::string& text, const std::string& caption) override;
    void ShowInformation(const std::string& text, const std::string& caption) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;
    std::optional<Rgb> ChooseColor(const Rgb& initial) override;

    // A "Description|patterns|..." filter in the form of QFileDialog::setNameFilter().
    static QString NameFilters(const std::string& filter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> parent_;
    QPointer<QWidget> lastUsed_;
};

} // namespace tessivar::ui
