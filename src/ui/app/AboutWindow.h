#pragma once

#include <QWidget>

namespace tessivar::ui {

// "About": a picture of tiles drawn in the four greys, the program's icon and the version.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessivar::ui
