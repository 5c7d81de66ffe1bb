#pragma once

#include "core/export/ExportFormat.h"
#include "core/workspace/UserPrompts.h"

#include <QObject>

class QPushButton;

namespace tessivar::ui {

// "Load format..." and "Save format..." of both export dialogs.
class FormatFileButtons : public QObject {
    Q_OBJECT

public:
    FormatFileButtons(UserPrompts& prompts, ExportFormat& format, bool forMap, QObject* parent);

    QPushButton* LoadButton() const { return load_; }
    QPushButton* SaveButton() const { return save_; }

Q_SIGNALS:
    void Loaded();

private:
    UserPrompts& prompts_;
    ExportFormat& format_;
    bool forMap_;
    QPushButton* load_;
    QPushButton* save_;
};

} // namespace tessivar::ui
