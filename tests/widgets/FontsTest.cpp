#include "widgets/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QTextLayout>
#include <gtest/gtest.h>

// The windows' free font draws "TM" as its two letters, not as its "™" ligature ("HTML:" in Qt's
// colour dialog); Tahoma, which the charts and bold values use, keeps its "fi" ligature and with
// it the widths they are laid out with.
TEST(Fonts, TheWindowsFontDrawsLettersAsLetters) {
    ASSERT_TRUE(HasFontFamily("MS Sans Serif") && HasFontFamily("Tahoma"));
    for (const auto& [family, text, glyphs] : {std::tuple{"MS Sans Serif", "HTML:", 5},
                                               {"MS Sans Serif", "Отчёт", 5},
                                               {"Tahoma", "TM", 2},
                                               {"Tahoma", "fi", 1}}) {
        QFont font{QString::fromLatin1(family)};
        font.setPixelSize(11);
        QTextLayout layout(QString::fromUtf8(text), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        EXPECT_EQ(layout.glyphRuns().value(0).glyphIndexes().size(), glyphs) << family << text;
    }
    // Bytes cut short anywhere, or with counts and offsets past their end, come back as long as
    // they came, read within their bounds.
    QFile file(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray font = file.readAll();
    for (qsizetype size = 0; size < font.size(); size += 5)
        EXPECT_EQ(WithoutStandardLigatures(font.left(size)).size(), size);
    EXPECT_EQ(WithoutStandardLigatures(font.replace(4, 2, "\xff\xff")).size(), font.size());
}

// The windows' font follows the fonts the application has, however often it is asked: with
// them gone the default stands in for Tahoma, and once they are back Tahoma is there again.
TEST(Fonts, TheWindowsFontFollowsTheRegisteredFonts) {
    ASSERT_EQ(WindowFont(true).family(), "Tahoma");
    QFontDatabase::removeAllApplicationFonts();
    EXPECT_NE(WindowFont(true).family(), "Tahoma");
    QFile sansSerif(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"));
    ASSERT_TRUE(sansSerif.open(QIODevice::ReadOnly));
    QFontDatabase::addApplicationFontFromData(WithoutStandardLigatures(sansSerif.readAll()));
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    EXPECT_EQ(WindowFont(true).family(), "Tahoma");
    EXPECT_EQ(WindowFont().family(), "MS Sans Serif");
}
