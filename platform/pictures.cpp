#include "platform/pictures.h"

#include <QPixmap>

// The resources live in a static library, so they are registered by hand
// before the first use.
static void initPlatformResources() { Q_INIT_RESOURCE(platform_resources); }

namespace plat {

QImage coilPicture() {
    initPlatformResources();
    return QImage(QStringLiteral(":/images/coil.jpg"));
}

QIcon coilIcon() {
    static const QIcon icon = [] {
        QIcon i;
        const QImage img = coilPicture();
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            i.addPixmap(QPixmap::fromImage(img.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        return i;
    }();
    return icon;
}

} // namespace plat
