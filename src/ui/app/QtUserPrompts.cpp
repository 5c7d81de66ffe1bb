#include "ui/app/QtUserPrompts.h"

#include "core/workspace/FileFilters.h"

#include <QApplication>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>

namespace tessivar::ui {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

bool usable(const QWidget* window) {
    return window && window->isVisible();
}

// The top-level window a widget belongs to; pop-up menus stand for the window that
// opened them.
QWidget* ownerWindow(QWidget* widget) {
    QWidget* window = widget ? widget->window() : nullptr;
    while (window && (window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip) &&
           window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
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
QString QtUserPrompts::nameFilters(const std::string& filter) {
    QStringList entries;
    for (const FileFilterEntry& entry : FileFilterEntries(filter)) {
        QStringList patterns;
        for (const std::string& pattern : entry.patterns)
            patterns << qt(pattern);
        entries << QStringLiteral("%1 (%2)").arg(qt(entry.description), patterns.join(u' '));
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

QFileDialog* makeDialog(QWidget* parent, const FileDialogRequest& request) {
    auto* dialog = new QFileDialog(parent);
    dialog->setNameFilter(QtUserPrompts::nameFilters(request.filter));
    dialog->setDefaultSuffix(qt(request.defaultExtension));
    if (!request.initialPath.empty())
        dialog->selectFile(qt(request.initialPath));
    return dialog;
}

std::optional<std::string> runDialog(QFileDialog* dialog) {
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
        QWidget* window = ownerWindow(static_cast<QWidget*>(watched));
        if (window && !qobject_cast<QMessageBox*>(window))
            lastUsed_ = window;
    }
    return false;
}

QWidget* QtUserPrompts::workingWindow() const {
    if (usable(lastUsed_))
        return lastUsed_;
    if (QWidget* active = ownerWindow(QApplication::activeWindow()); usable(active))
        return active;
    if (usable(parent_))
        return parent_;
    return nullptr;
}

void QtUserPrompts::showMessage(const std::string& text, const std::string& caption) {
    runBox(workingWindow(), QMessageBox::Warning, qt(caption), qt(text), QMessageBox::Ok,
           QMessageBox::Ok);
}

void QtUserPrompts::showInformation(const std::string& text, const std::string& caption) {
    runBox(workingWindow(), QMessageBox::Information, qt(caption), qt(text), QMessageBox::Ok,
           QMessageBox::Ok);
}

Answer QtUserPrompts::askYesNoCancel(const std::string& text, const std::string& caption) {
    const auto button =
        runBox(workingWindow(), QMessageBox::Question, qt(caption), qt(text),
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    if (button == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

std::optional<std::string> QtUserPrompts::chooseFileToOpen(const FileDialogRequest& request) {
    QFileDialog* dialog = makeDialog(workingWindow(), request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return runDialog(dialog);
}

std::optional<std::string> QtUserPrompts::chooseFileToSave(const FileDialogRequest& request) {
    QFileDialog* dialog = makeDialog(workingWindow(), request);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    return runDialog(dialog);
}

std::optional<Rgb> QtUserPrompts::chooseColor(const Rgb& initial) {
    const QColor chosen =
        QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), workingWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb{chosen.red(), chosen.green(), chosen.blue()};
}

} // namespace tessivar::ui
