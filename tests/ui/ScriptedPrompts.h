#pragma once

#include "core/workspace/UserPrompts.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <string>

// Answers the program's questions and dialogs from queues, and records everything it was
// asked, so widget tests can drive the real windows without a person at the screen.
class ScriptedPrompts : public tessivar::UserPrompts {
public:
    std::deque<tessivar::Answer> answers;
    std::deque<std::optional<std::string>> files; // nullopt: the dialog is cancelled
    std::deque<std::optional<tessivar::Rgb>> colors;

    QStringList messages;  // "caption: text" of every message box
    QStringList questions; // "caption: text" of every Yes/No/Cancel question
    QStringList presets;   // preset file name of every file dialog
    int unanswered = 0;    // questions asked with nothing scripted

    void showMessage(const std::string& text, const std::string& caption) override {
        messages << QString::fromStdString(caption + ": " + text);
    }
    tessivar::Answer askYesNoCancel(const std::string& text, const std::string& caption) override {
        questions << QString::fromStdString(caption + ": " + text);
        if (answers.empty()) {
            ++unanswered;
            return tessivar::Answer::Cancel;
        }
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseFileToOpen(const tessivar::FileDialogRequest& r) override {
        return nextFile(r);
    }
    std::optional<std::string> chooseFileToSave(const tessivar::FileDialogRequest& r) override {
        return nextFile(r);
    }
    std::optional<tessivar::Rgb> chooseColor(const tessivar::Rgb&) override {
        if (colors.empty()) {
            ++unanswered;
            return std::nullopt;
        }
        const auto color = colors.front();
        colors.pop_front();
        return color;
    }

private:
    std::optional<std::string> nextFile(const tessivar::FileDialogRequest& request) {
        presets << QString::fromStdString(request.initialPath);
        if (files.empty()) {
            ++unanswered;
            return std::nullopt;
        }
        const auto file = files.front();
        files.pop_front();
        return file;
    }
};
