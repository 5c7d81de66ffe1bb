#include "ui/imageimport/PictureDropFilter.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace tessivar::ui {

namespace {

QString FirstLocalFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

PictureDropFilter::PictureDropFilter(QWidget* window,
                                     std::function<void(const std::string&)> onDrop)
    : QObject(window)
    , onDrop_(std::move(onDrop)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool PictureDropFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (FirstLocalFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = FirstLocalFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        onDrop_(path.toStdString());
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace tessivar::ui
