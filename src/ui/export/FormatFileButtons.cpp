#include "ui/export/FormatFileButtons.h"

#include "core/export/FormatJson.h"

#include <QPushButton>

namespace tessivar::ui {

FormatFileButtons::FormatFileButtons(UserPrompts& prompts, ExportFormat& format, bool forMap,
                                     QObject* parent)
    : QObject(parent)
    , prompts_(prompts)
    , format_(format)
    , forMap_(forMap)
    , load_(new QPushButton(tr("Load format...")))
    , save_(new QPushButton(tr("Save format..."))) {
    load_->setObjectName(QStringLiteral("loadFormatButton"));
    save_->setObjectName(QStringLiteral("saveFormatButton"));
    connect(load_, &QPushButton::clicked, this, [this] {
        const auto path = prompts_.ChooseFileToOpen({kFormatFileFilter, "json", "", false});
        if (!path)
            return;
        auto read = ReadFormatFile(*path, forMap_);
        if (!read) {
            prompts_.ShowMessage(read.error(), "Error");
            return;
        }
        format_ = *read;
        Q_EMIT Loaded();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        const auto path = prompts_.ChooseFileToSave({kFormatFileFilter, "json", "", true});
        if (!path)
            return;
        if (const Status saved = WriteFormatFile(*path, format_); !saved)
            prompts_.ShowMessage(saved.error(), "Error");
    });
}

} // namespace tessivar::ui
