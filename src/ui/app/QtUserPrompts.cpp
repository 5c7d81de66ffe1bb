#include "ui/app/QtUserPrompts.h"

#include "core/workspace/FileFilters.h"

#include <QApplication>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>

namespace tessivar::ui {

namespace {

QString Qt(const std::string& text) {
    return QString::fromStdString(text);
}

bool Usable(const QWidget* window) {
    return window && window->isVisible();
}

// The top-level window a widget belongs to; pop-up menus stand for the window that
// opened them.
QWidget* OwnerWindow(QWidget* widget) {
    QWidget* window = widget ? widget->window() : nullptr;
    while (window && (window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip) &&
           window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

QMessageBox::StandardButton RunBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                   const QString& text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton) {
    // Qt centres a dialog on its parent, or on the screen when it has none.
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    // The window the box spoke for stays in front, above the main window.
    if (parent && parent->isVisible()) {
        parent->raise();
        parent->activateWindow();
    }
    return answer;
}

} // namespace

// Qt reads the patterns of an entry from the last parentheses, separated by blanks:
// "Images (*.bmp *.jpg *.png)".
QString QtUserPrompts::NameFilters(const std::string& filter) {
    QStringList entries;
    for (const FileFilterEntry& entry : FileFilterEntries(filter)) {
        QStringList patterns;
        for (const std::string& pattern : entry.Patterns)
            patterns << Qt(pattern);
        entries << QStringLiteral("%1 (%2)").arg(Qt(entry.Description), patterns.join(u' '));
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

QFileDialog* MakeDialog(QWidget* parent, const FileDialogRequest& request) {
    auto* dialog = new QFileDialog(parent);
    dialog->setNameFilter(QtUserPrompts::NameFilters(request.Filter));
    dialog->setDefaultSuffix(Qt(request.DefaultExtension));
    if (!request.InitialPath.empty())
        dialog->selectFile(Qt(request.InitialPath));
    return dialog;
}

std::optional<std::string> RunDialog(QFileDialog* dialog) {
    std::optional<std::string> chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().first().toStdString();
    delete dialog;
    return chosen;
}

} // namespace

QtUserPrompts::QtUserPrompts() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

bool QtUserPrompts::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress) && watched->isWidgetType()) {
        QWidget* window = OwnerWindow(static_cast<QWidget*>(watched));
        if (window && !qobject_cast<QMessageBox*>(window))
            lastUsed_ = window;
    }
    return false;
}

QWidget* QtUserPrompts::WorkingWindow() const {
    if (Usable(lastUsed_))
        return lastUsed_;
    if (QWidget* active = OwnerWindow(QApplication::activeWindow()); Usable(active))
        return active;
    if (Usable(parent_))
        return parent_;
    return nullptr;
}

void QtUserPrompts::ShowMessage(const std::string& text, const std::string& caption) {
    RunBox(WorkingWindow(), QMessageBox::Warning, Qt(caption), Qt(text), QMessageBox::Ok,
           QMessageBox::Ok);
}

void QtUserPrompts::ShowInformation(const std::string& text, const std::string& caption) {
    RunBox(WorkingWindow(), QMessageBox::Information, Qt(caption), Qt(text), QMessageBox::Ok,
           QMessageBox::Ok);
}

Answer QtUserPrompts::AskYesNoCancel(const std::string& text, const std::string& caption) {
    const auto button =
        RunBox(WorkingWindow(), QMessageBox::Question, Qt(caption), Qt(text),
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    if (button == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

std::optional<std::string> QtUserPrompts::ChooseFileToOpen(const FileDialogRequest& request) {
    QFileDialog* dialog = MakeDialog(WorkingWindow(), request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return RunDialog(dialog);
}

std::optional<std::string> QtUserPrompts::ChooseFileToSave(const FileDialogRequest& request) {
    QFileDialog* dialog = MakeDialog(WorkingWindow(), request);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmOverwrite);
    return RunDialog(dialog);
}

std::optional<Rgb> QtUserPrompts::ChooseColor(const Rgb& initial) {
    const QColor chosen =
        QColorDialog::getColor(QColor(initial.Red, initial.Green, initial.Blue), WorkingWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb{chosen.red(), chosen.green(), chosen.blue()};
}

} // namespace tessivar::ui
