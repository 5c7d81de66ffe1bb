#include "ui/app/QtUserPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace tessivar::ui {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QWidget* dialogParent(QWidget* preferred) {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return preferred;
}

// "Description (*.ext)|*.ext" pairs become Qt's "Description (*.ext)" entries.
QString qtFilter(const std::string& filter) {
    const QStringList parts = qt(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i < parts.size(); i += 2)
        entries << parts[i];
    return entries.join(QStringLiteral(";;"));
}

QFileDialog* makeDialog(QWidget* parent, const FileDialogRequest& request) {
    auto* dialog = new QFileDialog(dialogParent(parent));
    dialog->setNameFilter(qtFilter(request.filter));
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

void QtUserPrompts::showMessage(const std::string& text, const std::string& caption) {
    QMessageBox::information(dialogParent(parent_), qt(caption), qt(text), QMessageBox::Ok);
}

Answer QtUserPrompts::askYesNoCancel(const std::string& text, const std::string& caption) {
    const auto button = QMessageBox::question(
        dialogParent(parent_), qt(caption), qt(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    if (button == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

std::optional<std::string> QtUserPrompts::chooseFileToOpen(const FileDialogRequest& request) {
    QFileDialog* dialog = makeDialog(parent_, request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return runDialog(dialog);
}

std::optional<std::string> QtUserPrompts::chooseFileToSave(const FileDialogRequest& request) {
    QFileDialog* dialog = makeDialog(parent_, request);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    return runDialog(dialog);
}

std::optional<Rgb> QtUserPrompts::chooseColor(const Rgb& initial) {
    const QColor chosen = QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue),
                                                 dialogParent(parent_));
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb{chosen.red(), chosen.green(), chosen.blue()};
}

} // namespace tessivar::ui
