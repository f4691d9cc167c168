#include "widgets/ImageList.h"

#include <QImage>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace {

struct ListCase {
    const TImageList& list;
    const char* name;
    int count;
    int size;
};

std::vector<ListCase> AllLists() {
    return {{ilMain(), "ilMain", 10, 16},
            {ilInformers(), "ilInformers", 21, 32},
            {ImageList1(), "ImageList1", 7, 16}};
}

const char* const kButtons[] = {"sbInfoMan", "sbInfoWoman", "sbTodayDateDay", "spHelp"};

QImage ImageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool Opaque(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 255;
}

bool Transparent(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 0;
}

// Pixels that stand out from the background: not white where the picture is opaque, not clear
// where it is transparent. A picture that failed to draw has none.
int InkPixels(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 64 && qGray(pixel) < 200)
                ++ink;
        }
    return ink;
}

// Pixels in which two same-sized pictures clearly differ.
int DifferentPixels(const QImage& a, const QImage& b) {
    int different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q)) >
                96)
                ++different;
        }
    return different;
}

} // namespace

TEST(ImageLists, EveryPictureLoadsAtItsListSize) {
    for (const ListCase& c : AllLists()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.list.Name(), QString::fromLatin1(c.name));
        ASSERT_EQ(c.list.Count(), c.count);
        ASSERT_EQ(c.list.Size(), QSize(c.size, c.size));
        for (int index = 0; index < c.count; ++index) {
            SCOPED_TRACE(index);
            const QPixmap pixmap = c.list.Pixmap(index);
            ASSERT_FALSE(pixmap.isNull());
            EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(c.size, c.size));
            EXPECT_GT(InkPixels(ImageOf(pixmap)), c.size) << "nothing drawn";

            const QIcon icon = c.list.Icon(index);
            ASSERT_FALSE(icon.isNull());
            EXPECT_EQ(icon.pixmap(c.size).deviceIndependentSize(), QSizeF(c.size, c.size));
        }
    }
}

TEST(ImageLists, IndicesOutsideAListGiveNothing) {
    for (const ListCase& c : AllLists()) {
        SCOPED_TRACE(c.name);
        for (int index : {-1, c.count, c.count + 1, INT_MIN, INT_MAX}) {
            EXPECT_TRUE(c.list.Pixmap(index).isNull()) << index;
            EXPECT_TRUE(c.list.Icon(index).isNull()) << index;
        }
    }
}

TEST(ImageLists, OnlyTheInformersAndTheFirstMainPictureAreOpaque) {
    const auto allOpaque = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!Opaque(image, x, y))
                    return false;
        return true;
    };
    const auto cornersClear = [](const QImage& image) {
        const int last = image.width() - 1;
        return Transparent(image, 0, last) && Transparent(image, 0, 0) &&
               Transparent(image, last, 0) && Transparent(image, last, last);
    };

    for (int index = 0; index < ilInformers().Count(); ++index)
        EXPECT_TRUE(allOpaque(ImageOf(ilInformers().Pixmap(index)))) << "ilInformers " << index;
    EXPECT_TRUE(allOpaque(ImageOf(ilMain().Pixmap(0))));
    for (int index = 1; index < ilMain().Count(); ++index)
        EXPECT_TRUE(cornersClear(ImageOf(ilMain().Pixmap(index)))) << "ilMain " << index;
    for (int index = 0; index < ImageList1().Count(); ++index)
        EXPECT_TRUE(cornersClear(ImageOf(ImageList1().Pixmap(index)))) << "ImageList1 " << index;
    for (const char* name : kButtons)
        EXPECT_TRUE(cornersClear(ImageOf(ButtonIcon(QString::fromLatin1(name)).pixmap(16))))
            << name;

    // The informers are framed: a dark-blue edge round a white inside.
    const QImage aries = ImageOf(ilInformers().Pixmap(1));
    EXPECT_EQ(aries.pixel(0, 0), qRgb(0, 0, 0x80));
    EXPECT_EQ(aries.pixel(31, 17), qRgb(0, 0, 0x80));
    EXPECT_EQ(aries.pixel(2, 2), qRgb(0xff, 0xff, 0xff));
}

TEST(ImageLists, PicturesOfAListAreDistinct) {
    // Two pictures drawn alike would show the wrong zodiac sign, element or command.
    for (const ListCase& c : AllLists()) {
        SCOPED_TRACE(c.name);
        std::vector<QImage> images;
        for (int index = 0; index < c.count; ++index)
            images.push_back(ImageOf(c.list.Pixmap(index)));
        for (int a = 0; a < c.count; ++a)
            for (int b = a + 1; b < c.count; ++b)
                EXPECT_GT(DifferentPixels(images[a], images[b]), c.size)
                    << "pictures " << a << " and " << b;
    }
}

TEST(ImageLists, ButtonsAndProgramIcon) {
    for (const char* name : kButtons) {
        const QIcon icon = ButtonIcon(QString::fromLatin1(name));
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_GT(InkPixels(ImageOf(icon.pixmap(16))), 16) << name;
    }
    EXPECT_TRUE(ButtonIcon(QStringLiteral("sbNoSuchButton")).isNull());
    EXPECT_TRUE(ButtonIcon(QString()).isNull());

    // The help button has its own grey picture when disabled; other buttons leave it to Qt.
    const QIcon help = ButtonIcon(QStringLiteral("spHelp"));
    const QImage normal = ImageOf(help.pixmap(16));
    const QImage disabled = ImageOf(help.pixmap(QSize(16, 16), QIcon::Disabled));
    EXPECT_GT(DifferentPixels(normal, disabled), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb pixel = disabled.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                ASSERT_LE(std::abs(qRed(pixel) - qBlue(pixel)), 24) << x << "," << y;
            }
        }
    const QRgb centreLeft = normal.pixel(3, 8); // on the disc, off the question mark
    EXPECT_GT(qBlue(centreLeft), qRed(centreLeft) + 100);

    // The man's and woman's buttons carry the same signs as their commands.
    EXPECT_EQ(ImageOf(ButtonIcon(QStringLiteral("sbInfoMan")).pixmap(16)),
              ImageOf(ilMain().Pixmap(2)));
    EXPECT_EQ(ImageOf(ButtonIcon(QStringLiteral("sbInfoWoman")).pixmap(16)),
              ImageOf(ilMain().Pixmap(1)));

    const QIcon program = ProgramIcon();
    ASSERT_FALSE(program.isNull());
    for (int size : {16, 32, 48, 256}) {
        const QPixmap pixmap = program.pixmap(size);
        EXPECT_EQ(pixmap.size(), QSize(size, size));
        EXPECT_GT(InkPixels(ImageOf(pixmap)), size) << size;
    }
    EXPECT_EQ(program.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
}

TEST(ImageLists, IconsAreDrawnAnewForDoubleDensity) {
    // At ratio 2 a picture is rendered on the finer grid, not its 16-pixel form scaled up.
    const QIcon icon = ImageList1().Icon(1);
    const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0);
    ASSERT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    const QImage blocky = ImageOf(icon.pixmap(QSize(16, 16), 1.0)).scaled(32, 32);
    EXPECT_GT(DifferentPixels(ImageOf(sharp), blocky), 8);

    const QPixmap zodiac = ilInformers().Icon(5).pixmap(QSize(32, 32), 2.0);
    EXPECT_EQ(zodiac.size(), QSize(64, 64));
}
