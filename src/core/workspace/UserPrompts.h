#pragma once

#include "core/model/TileSet.h"

#include <optional>
#include <string>

namespace tessivar {

enum class Answer { Yes, No, Cancel };

struct FileDialogRequest {
    std::string filter;           // "Description (*.ext)|*.ext"
    std::string defaultExtension; // without the dot
    std::string initialPath;      // preset file name, may be empty
    bool confirmOverwrite = false;
};

// Every message box and file dialog of the program goes through this interface, so the
// document commands run in tests with scripted answers and in the editor with Qt dialogs.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A modal message with an OK button: an error or a refusal.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
    // A modal message that reports success, such as a finished export.
    virtual void showInformation(const std::string& text, const std::string& caption) {
        showMessage(text, caption);
    }
    virtual Answer askYesNoCancel(const std::string& text, const std::string& caption) = 0;
    // nullopt when the dialog was cancelled.
    virtual std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) = 0;
    virtual std::optional<Rgb> chooseColor(const Rgb& initial) = 0;
};

} // namespace tessivar
