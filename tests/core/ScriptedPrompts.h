#pragma once

// A UserPrompts double for tests: every answer comes from a queue filled by the test,
// and everything the program showed or asked is recorded for later assertions. A
// question without a scripted answer fails the test instead of guessing.

#include "core/workspace/UserPrompts.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
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
    ScriptedPrompts& answer(Answer a) {
        answers_.push_back(a);
        return *this;
    }
    ScriptedPrompts& choosePath(std::string path) {
        paths_.emplace_back(std::move(path));
        return *this;
    }
    ScriptedPrompts& cancelDialog() {
        paths_.emplace_back(std::nullopt);
        return *this;
    }
    ScriptedPrompts& pickColor(Rgb color) {
        colors_.emplace_back(color);
        return *this;
    }
    ScriptedPrompts& cancelColor() {
        colors_.emplace_back(std::nullopt);
        return *this;
    }

    // ---- What happened ----
    std::vector<ShownText> messages;
    std::vector<ShownText> questions;
    std::vector<DialogShown> dialogs;

    bool allAnswersUsed() const { return answers_.empty() && paths_.empty() && colors_.empty(); }
    void forget() {
        messages.clear();
        questions.clear();
        dialogs.clear();
    }

    // ---- UserPrompts ----
    void showMessage(const std::string& text, const std::string& caption) override {
        messages.push_back({text, caption});
    }
    Answer askYesNoCancel(const std::string& text, const std::string& caption) override {
        questions.push_back({text, caption});
        if (answers_.empty()) {
            ADD_FAILURE() << "unscripted question: [" << caption << "] " << text;
            return Answer::Cancel;
        }
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override {
        return nextPath(DialogKind::Open, request);
    }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) override {
        return nextPath(DialogKind::Save, request);
    }
    std::optional<Rgb> chooseColor(const Rgb&) override {
        if (colors_.empty()) {
            ADD_FAILURE() << "unscripted colour dialog";
            return std::nullopt;
        }
        auto color = colors_.front();
        colors_.pop_front();
        return color;
    }

private:
    std::optional<std::string> nextPath(DialogKind kind, const FileDialogRequest& request) {
        dialogs.push_back({kind, request});
        if (paths_.empty()) {
            ADD_FAILURE() << "unscripted file dialog preset to \"" << request.initialPath << "\"";
            return std::nullopt;
        }
        auto path = paths_.front();
        paths_.pop_front();
        return path;
    }

    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> paths_;
    std::deque<std::optional<Rgb>> colors_;
};

} // namespace tessivar::testing
