#include "ui/app/AboutWindow.h"

#include "ui/app/ApplicationIcon.h"

#include <QPainter>

namespace tessivar::ui {

namespace {

constexpr int kPictureSide = 320;
const QColor kGreys[4] = {QColor(248, 248, 248), QColor(168, 168, 168), QColor(80, 80, 80),
                          QColor(0, 0, 0)};

// A brick wall of 8x8 tiles with a diagonal sweep of shading, in the editor's four greys.
int BrickShade(int x, int y) {
    const int row = y / 8;
    const int offset = (row % 2) * 8;
    const bool mortar = y % 8 == 7 || (x + offset) % 16 == 15;
    if (mortar)
        return 3;
    const int band = ((x + y) / 24) % 2; // light and mid-grey diagonal bands
    const int speckle = (x * 7 + y * 13) % 17 == 0 ? 1 : 0;
    return band + speckle;
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("About"));
    setWindowIcon(ApplicationIcon());
    setFixedSize(kPictureSide, kPictureSide);
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int cells = kPictureSide / 4;
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x)
            painter.fillRect(x * 4, y * 4, 4, 4, kGreys[BrickShade(x, y)]);
    const QRect band(0, kPictureSide / 2 - 40, kPictureSide, 80);
    painter.fillRect(band, kGreys[0]);
    // The program's icon above the band, centred.
    constexpr int kIconSide = 96;
    const QRect iconBox((kPictureSide - kIconSide) / 2, band.top() - kIconSide - 12, kIconSide,
                        kIconSide);
    painter.drawPixmap(iconBox, ApplicationIcon().pixmap(kIconSide, kIconSide));
    painter.setPen(kGreys[3]);
    QFont title = font();
    title.setPointSize(24);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(band.adjusted(0, 4, 0, -30), Qt::AlignCenter, QStringLiteral("Tessivar"));
    QFont small = font();
    small.setPointSize(11);
    painter.setFont(small);
    painter.drawText(band.adjusted(0, 46, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Version " TESSIVAR_VERSION));
}

} // namespace tessivar::ui
