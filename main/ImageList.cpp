#include "main/ImageList.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

qreal ApplicationPixelRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// The picture at a resource path, rasterised at pixels by pixels; a null image when the resource
// is missing or broken. Results are kept for the whole run: there are a few dozen small pictures,
// and QPixmapCache could evict them and have them drawn again.
QImage Rasterise(const QString& path, int pixels) {
    static QHash<QString, QImage> cache;
    const QString key = path + QLatin1Char('@') + QString::number(pixels);
    if (const auto found = cache.constFind(key); found != cache.cend())
        return *found;

    QImage image;
    if (QFile::exists(path)) { // spares the renderer's warning for a missing picture
        QSvgRenderer renderer(path);
        if (renderer.isValid()) {
            image = QImage(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter, QRectF(0, 0, pixels, pixels));
        }
    }
    cache.insert(key, image);
    return image;
}

// The picture for a logical size at a device pixel ratio, drawn at the full device resolution
// rather than scaled up, so that it stays sharp.
QPixmap Picture(const QString& path, int size, qreal ratio) {
    const int pixels = std::max(1, static_cast<int>(std::lround(size * ratio)));
    const QImage image = Rasterise(path, pixels);
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(static_cast<qreal>(pixels) / size);
    return pixmap;
}

// An icon with the picture drawn for ordinary and double-density screens, and for the screen's
// own ratio when it is neither; an empty icon when the picture is missing.
QIcon IconOf(const QString& path, int size, QIcon::Mode mode = QIcon::Normal,
             QIcon icon = QIcon()) {
    const QPixmap normal = Picture(path, size, 1.0);
    if (normal.isNull())
        return icon;
    icon.addPixmap(normal, mode);
    icon.addPixmap(Picture(path, size, 2.0), mode);
    if (const qreal ratio = ApplicationPixelRatio(); ratio != 1.0 && ratio != 2.0)
        icon.addPixmap(Picture(path, size, ratio), mode);
    return icon;
}

} // namespace

TImageList::TImageList(QString name, int count, int size)
    : name_(std::move(name)), count_(count), size_(size) {}

QString TImageList::Path(int index) const {
    return QStringLiteral(":/pictures/%1/%2.svg").arg(name_, QString::number(index));
}

QPixmap TImageList::Pixmap(int index) const {
    if (index < 0 || index >= count_)
        return {};
    return Picture(Path(index), size_, ApplicationPixelRatio());
}

QIcon TImageList::Icon(int index) const {
    if (index < 0 || index >= count_)
        return {};
    return IconOf(Path(index), size_);
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
    const QString base = QStringLiteral(":/pictures/buttons/") + name;
    QIcon icon = IconOf(base + QStringLiteral(".svg"), 16);
    if (icon.isNull())
        return icon;
    return IconOf(base + QStringLiteral("-disabled.svg"), 16, QIcon::Disabled, icon);
}

QIcon ProgramIcon() {
    // The small size has its own drawing: the large one's grid and thin curves blur at 16 pixels.
    QIcon icon;
    icon.addPixmap(Picture(QStringLiteral(":/pictures/MAINICON-16.svg"), 16, 1.0));
    for (int size : {24, 32, 48, 64, 128, 256})
        icon.addPixmap(Picture(QStringLiteral(":/pictures/MAINICON.svg"), size, 1.0));
    return icon;
}
