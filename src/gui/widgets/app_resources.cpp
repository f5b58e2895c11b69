#include "gui/widgets/app_resources.h"

#include <QImageReader>

// Q_INIT_RESOURCE declares the registration function where it stands: it must be outside any
// namespace, anonymous ones included.
static void registerResources() {
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(help);
}

namespace {

QString picturePath(const QString& name) {
    return QStringLiteral(":/images/%1.svg").arg(name);
}

} // namespace

void initAppResources() {
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

QPixmap appPicture(const QString& name, const QSize& size) {
    initAppResources();
    QImageReader reader(picturePath(name));
    reader.setScaledSize(size);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon appIcon(const QString& name) {
    initAppResources();
    return QIcon(picturePath(name));
}

QString versionText() {
    return QStringLiteral("Pellacore Bootwright for Linux, version %1").arg(QStringLiteral(BW_VERSION));
}
