#include "main/ImageList.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {

qreal DevicePixelRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// Renders an SVG resource at a logical size; a null pixmap when the resource is missing.
QPixmap Render(const QString& path, QSize size) {
    const qreal dpr = DevicePixelRatio();
    const QString key =
        QStringLiteral("%1@%2x%3@%4").arg(path).arg(size.width()).arg(size.height()).arg(dpr);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    pixmap = QPixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

TImageList::TImageList(QString name, int count, int size)
    : name_(std::move(name)), count_(count), size_(size) {}

QPixmap TImageList::Pixmap(int index) const {
    if (index < 0 || index >= count_)
        return {};
    return Render(QStringLiteral(":/pictures/%1/%2.svg").arg(name_).arg(index), Size());
}

QIcon TImageList::Icon(int index) const {
    const QPixmap pixmap = Pixmap(index);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

const TImageList& ilMain() {
    static const TImageList list(QStringLiteral("ilMain"), 10, 16);
    return list;
}

const TImageList& ilInformers() {
    static const TImageList list(QStringLiteral("ilInformers"), 21, 32);
    return list;
}

const TImageList& ImageList1() {
    static const TImageList list(QStringLiteral("ImageList1"), 7, 16);
    return list;
}

QIcon ButtonIcon(const QString& name) {
    QIcon icon(Render(QStringLiteral(":/pictures/buttons/%1.svg").arg(name), QSize(16, 16)));
    const QPixmap disabled =
        Render(QStringLiteral(":/pictures/buttons/%1-disabled.svg").arg(name), QSize(16, 16));
    if (!disabled.isNull())
        icon.addPixmap(disabled, QIcon::Disabled);
    return icon;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(Render(QStringLiteral(":/pictures/MAINICON.svg"), QSize(size, size)));
    return icon;
}
