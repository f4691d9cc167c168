#include "widgets/ImageList.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
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

// An icon that draws its picture only when a size is asked for, at that size and pixel ratio:
// start-up shows a few dozen icons and draws none of them until the first paint.
class TPictureIconEngine final : public QIconEngine {
public:
    // The small picture, when given, serves sizes of 16 pixels and less.
    TPictureIconEngine(QString normal, QString disabled, QString small = {})
        : normal_(std::move(normal)), disabled_(std::move(disabled)), small_(std::move(small)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    // Qt asks for the size in device pixels, with the ratio they are meant for.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        const int pixels = std::max(1, std::min(size.width(), size.height()));
        const int side = std::max(1, static_cast<int>(std::lround(pixels / scale)));
        return Picture(PathFor(side, mode), side, scale);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        // What a window icon is offered: the platform draws each size at start-up, and larger
        // ones come from the desktop entry's icon. Any other size is drawn on demand.
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }
    QIconEngine* clone() const override { return new TPictureIconEngine(*this); }
    QString key() const override { return QStringLiteral("TPictureIconEngine"); }

private:
    QString PathFor(int side, QIcon::Mode mode) const {
        if (mode == QIcon::Disabled && !disabled_.isEmpty())
            return disabled_;
        return side <= 16 && !small_.isEmpty() ? small_ : normal_;
    }

    QString normal_;
    QString disabled_;
    QString small_;
};

QIcon IconOf(const QString& path, const QString& disabled = {}, const QString& small = {}) {
    if (!QFile::exists(path))
        return {};
    return QIcon(
        new TPictureIconEngine(path, QFile::exists(disabled) ? disabled : QString(), small));
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
    return IconOf(Path(index));
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
    return IconOf(base + QStringLiteral(".svg"), base + QStringLiteral("-disabled.svg"));
}

QIcon ProgramIcon() {
    // The small size has its own drawing: the large one's grid and thin curves blur at 16 pixels.
    return IconOf(QStringLiteral(":/pictures/MAINICON.svg"), {},
                  QStringLiteral(":/pictures/MAINICON-16.svg"));
}
