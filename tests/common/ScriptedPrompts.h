#pragma once

// A UserPrompts double for the core and widget tests: every answer comes from a queue
// filled by the test, and everything the program showed or asked is recorded for later
// assertions. A question or dialog with nothing scripted is counted in `unscripted`
// (and answered with Cancel) so that the test can fail on it.

#include "core/workspace/UserPrompts.h"

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tessivar::testing {

struct ShownText {
    std::string text;
    std::string caption;
    friend bool operator==(const ShownText&, const ShownText&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const ShownText& shown) {
    return out << "[" << shown.caption << "] " << shown.text;
}

enum class DialogKind { Open, Save };

struct DialogShown {
    DialogKind kind;
    FileDialogRequest request;
};

class ScriptedPrompts : public UserPrompts {
public:
    // ---- Scripting ----
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> files; // nullopt: the dialog is cancelled
    std::deque<std::optional<Rgb>> colors;        // nullopt: the dialog is cancelled
    std::vector<Rgb> colorRequests;               // the colour each colour dialog was preset to

    ScriptedPrompts& answer(Answer a) {
        answers.push_back(a);
        return *this;
    }
    ScriptedPrompts& choosePath(std::string path) {
        files.emplace_back(std::move(path));
        return *this;
    }
    ScriptedPrompts& cancelDialog() {
        files.emplace_back(std::nullopt);
        return *this;
    }

    // ---- What happened ----
    std::vector<ShownText> messages;
    std::vector<ShownText> questions;
    std::vector<DialogShown> dialogs;
    std::vector<std::string> unscripted;

    bool allAnswersUsed() const { return answers.empty() && files.empty() && colors.empty(); }
    void forget() {
        messages.clear();
        questions.clear();
        dialogs.clear();
    }

    // ---- UserPrompts ----
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back({text, caption});
    }
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override {
        questions.push_back({text, caption});
        if (answers.empty()) {
            unscripted.push_back("question: [" + caption + "] " + text);
            return Answer::Cancel;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override {
        return nextFile(DialogKind::Open, request);
    }
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override {
        return nextFile(DialogKind::Save, request);
    }
    std::optional<Rgb> ChooseColor(const Rgb& initial) override {
        colorRequests.push_back(initial);
        if (colors.empty()) {
            unscripted.push_back("colour dialog");
            return std::nullopt;
        }
        const auto color = colors.front();
        colors.pop_front();
        return color;
    }

private:
    std::optional<std::string> nextFile(DialogKind kind, const FileDialogRequest& request) {
        dialogs.push_back({kind, request});
        if (files.empty()) {
            unscripted.push_back("file dialog preset to \"" + request.InitialPath + "\"");
            return std::nullopt;
        }
        const auto file = files.front();
        files.pop_front();
        return file;
    }
};

} // namespace tessivar::testing
