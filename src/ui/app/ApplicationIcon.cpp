#include "ui/app/ApplicationIcon.h"

// The resources live in a static library: they are linked in only when named here.
static void LoadIconResources() {
    Q_INIT_RESOURCE(resources);
}

namespace tessivar::ui {

QIcon ApplicationIcon() {
    LoadIconResources();
    QIcon icon;
    for (int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tessivar-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tessivar::ui
