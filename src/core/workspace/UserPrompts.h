#pragma once

#include "core/model/TileSet.h"

#include <optional>
#include <string>

namespace tessivar {

enum class Answer { Yes, No, Cancel };

struct FileDialogRequest {
    std::string Filter;           // "Description (*.ext)|*.ext"
    std::string DefaultExtension; // without the dot
    std::string InitialPath;      // preset file name, may be empty
    bool ConfirmOverwrite = false;
};

// Every message box and file dialog of the program goes through this interface, so the
// document commands run in tests with scripted answers and in the editor with Qt dialogs.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A modal message with an OK button: an error or a refusal.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // A modal message that reports success, such as a finished export.
    virtual void ShowInformation(const std::string& text, const std::string& caption) {
        ShowMessage(text, caption);
    }
    virtual Answer AskYesNoCancel(const std::string& text, const std::string& caption) = 0;
    // nullopt when the dialog was cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) = 0;
    virtual std::optional<Rgb> ChooseColor(const Rgb& initial) = 0;
};

} // namespace tessivar
