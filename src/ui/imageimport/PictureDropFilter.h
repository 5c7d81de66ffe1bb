#pragma once

#include <QObject>

#include <functional>
#include <string>

namespace tessivar::ui {

// Lets a window take picture files dropped on it: installed on the window, it accepts a
// drag of local files and hands the first dropped file's path on.
class PictureDropFilter : public QObject {
    Q_OBJECT

public:
    PictureDropFilter(QWidget* window, std::function<void(const std::string&)> onDrop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const std::string&)> onDrop_;
};

} // namespace tessivar::ui
