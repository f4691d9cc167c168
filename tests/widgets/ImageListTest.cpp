#include "widgets/ImageList.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

struct ListCase {
    const TImageList& list;
    const char* name;
    int count;
    int size;
    int opaque; // the first pictures, which fill their square
};

QImage ImageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// How many pixels of the image pass the test, which is given each pixel and its place.
int Pixels(const QImage& image, const std::function<bool(QRgb, int, int)>& test) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y), x, y);
    return count;
}

bool CornersClear(const QImage& image) {
    const int last = image.width() - 1;
    const auto clear = [&](int x, int y) { return qAlpha(image.pixel(x, y)) == 0; };
    return clear(0, 0) && clear(0, last) && clear(last, 0) && clear(last, last);
}

// Pixels that stand out from the background: not white where the picture is opaque, not clear
// where it is transparent. A picture that failed to draw has none.
int InkPixels(const QImage& image) {
    return Pixels(image,
                  [](QRgb pixel, int, int) { return qAlpha(pixel) > 64 && qGray(pixel) < 200; });
}

// Pixels in which two same-sized pictures clearly differ.
int DifferentPixels(const QImage& a, const QImage& b) {
    return Pixels(a, [&b](QRgb p, int x, int y) {
        const QRgb q = b.pixel(x, y);
        return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q)) >
               96;
    });
}

} // namespace

// Each list at its size, every picture drawn, opaque or with clear corners as its list has them,
// and unlike the others of its list: two pictures drawn alike would show the wrong zodiac sign,
// element or command. Indices outside a list give nothing.
TEST(ImageLists, EveryPictureLoadsAtItsListSize) {
    const ListCase lists[] = {{ilMain(), "ilMain", 10, 16, 1},
                              {ilInformers(), "ilInformers", 21, 32, 21},
                              {ImageList1(), "ImageList1", 7, 16, 0}};
    for (const ListCase& c : lists) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.list.Name(), QString::fromLatin1(c.name));
        ASSERT_EQ(c.list.Count(), c.count);
        ASSERT_EQ(c.list.Size(), QSize(c.size, c.size));
        std::vector<QImage> images;
        for (int index = 0; index < c.count; ++index) {
            SCOPED_TRACE(index);
            const QPixmap pixmap = c.list.Pixmap(index);
            EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(c.size, c.size));
            const QImage image = ImageOf(pixmap);
            EXPECT_GT(InkPixels(image), c.size) << "nothing drawn";
            const int clear =
                Pixels(image, [](QRgb pixel, int, int) { return qAlpha(pixel) < 255; });
            EXPECT_TRUE(index < c.opaque ? clear == 0 : CornersClear(image));
            for (std::size_t other = 0; other < images.size(); ++other)
                EXPECT_GT(DifferentPixels(image, images[other]), c.size) << "like " << other;
            images.push_back(image);
            EXPECT_EQ(c.list.Icon(index).pixmap(c.size).deviceIndependentSize(),
                      QSizeF(c.size, c.size));
        }
        for (int index : {-1, c.count})
            EXPECT_TRUE(c.list.Pixmap(index).isNull() && c.list.Icon(index).isNull()) << index;
    }
    // The informers are framed: a dark-blue edge round a white inside.
    const QImage aries = ImageOf(ilInformers().Pixmap(1));
    EXPECT_EQ(aries.pixel(0, 0), qRgb(0, 0, 0x80));
    EXPECT_EQ(aries.pixel(31, 17), qRgb(0, 0, 0x80));
    EXPECT_EQ(aries.pixel(2, 2), qRgb(0xff, 0xff, 0xff));
}

TEST(ImageLists, ButtonsProgramIconAndDoubleDensity) {
    const struct {
        const char* name;
        int command; // the ilMain picture of the command the button stands for
    } buttons[] = {{"sbInfoMan", 2}, {"sbInfoWoman", 1}, {"sbTodayDateDay", -1}, {"spHelp", -1}};
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.name);
        const QImage image = ImageOf(ButtonIcon(QString::fromLatin1(button.name)).pixmap(16));
        EXPECT_GT(InkPixels(image), 16);
        EXPECT_TRUE(CornersClear(image));
        if (button.command >= 0) {
            EXPECT_EQ(image, ImageOf(ilMain().Pixmap(button.command)));
        }
    }
    EXPECT_TRUE(ButtonIcon(QStringLiteral("sbNoSuchButton")).isNull());
    EXPECT_TRUE(ButtonIcon(QString()).isNull());

    // The help button has its own grey picture when disabled; other buttons leave it to Qt.
    const QIcon help = ButtonIcon(QStringLiteral("spHelp"));
    const QImage normal = ImageOf(help.pixmap(16));
    const QImage disabled = ImageOf(help.pixmap(QSize(16, 16), QIcon::Disabled));
    EXPECT_GT(DifferentPixels(normal, disabled), 16);
    const auto coloured = [](QRgb pixel, int, int) {
        return qAlpha(pixel) == 255 && std::abs(qRed(pixel) - qBlue(pixel)) > 24;
    };
    EXPECT_EQ(Pixels(disabled, coloured), 0);
    const QRgb centreLeft = normal.pixel(3, 8); // on the disc, off the question mark
    EXPECT_GT(qBlue(centreLeft), qRed(centreLeft) + 100);

    const QIcon program = ProgramIcon();
    for (int size : {16, 32, 48, 256}) {
        const QPixmap pixmap = program.pixmap(size);
        EXPECT_EQ(pixmap.size(), QSize(size, size));
        EXPECT_GT(InkPixels(ImageOf(pixmap)), size) << size;
    }
    EXPECT_EQ(program.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));

    // At ratio 2 a picture is rendered on the finer grid, not its 16-pixel form scaled up.
    const QIcon icon = ImageList1().Icon(1);
    const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0);
    ASSERT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    const QImage blocky = ImageOf(icon.pixmap(QSize(16, 16), 1.0)).scaled(32, 32);
    EXPECT_GT(DifferentPixels(ImageOf(sharp), blocky), 8);
}
