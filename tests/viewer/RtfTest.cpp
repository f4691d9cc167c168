#include "viewer/RtfReader.h"
#include "viewer/RtfWriter.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// Readable failures.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

std::unique_ptr<QTextDocument> Read(const QByteArray& rtf) {
    auto document = std::make_unique<QTextDocument>();
    ReadRtf(rtf, *document);
    return document;
}

QString Text(const QByteArray& rtf) {
    return Read(rtf)->toPlainText();
}

QByteArray Resource(const char* name) {
    QFile file(QStringLiteral(":/documents/%1.rtf").arg(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

std::vector<QTextBlock> Blocks(const QTextDocument& document) {
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks.push_back(block);
    return blocks;
}

QTextBlock BlockStarting(const QTextDocument& document, const QString& prefix) {
    for (const QTextBlock& block : Blocks(document)) {
        if (block.text().startsWith(prefix))
            return block;
    }
    ADD_FAILURE() << "no paragraph starts with " << prefix.toStdString();
    return {};
}

// The format of the last character of the first occurrence of the text.
QTextCharFormat FormatOf(const QTextDocument& document, const QString& text) {
    const QTextCursor found = document.find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    return found.charFormat();
}

bool IsBold(const QTextCharFormat& format) {
    return format.fontWeight() >= QFont::DemiBold;
}

QColor Foreground(const QTextCharFormat& format) {
    return format.foreground().style() == Qt::NoBrush ? QColor() : format.foreground().color();
}

QString FormatSignature(const QTextCharFormat& format) {
    QString family = format.fontFamilies().toStringList().value(0);
    return QStringLiteral("%1%2%3%4 %5 %6 %7 %8")
        .arg(IsBold(format) ? "b" : "")
        .arg(format.fontItalic() ? "i" : "")
        .arg(format.fontUnderline() ? "u" : "")
        .arg(format.fontStrikeOut() ? "s" : "")
        .arg(Foreground(format).name())
        .arg(format.background().style() == Qt::NoBrush ? "-" : format.background().color().name())
        .arg(family)
        .arg(format.fontPointSize());
}

// Text with its paragraph and character formats, independent of how the text is cut into
// fragments.
QString Signature(const QTextDocument& document) {
    QString out;
    for (const QTextBlock& block : Blocks(document)) {
        const QTextBlockFormat format = block.blockFormat();
        out += QStringLiteral("\n[align %1 list %2 left %3 first %4 right %5 top %6 bottom %7]")
                   .arg(int(format.alignment() & Qt::AlignHorizontal_Mask))
                   .arg(block.textList() ? int(block.textList()->format().style()) : 0)
                   .arg(qRound(format.leftMargin() + (block.textList() ? 40 : 0)))
                   .arg(qRound(format.textIndent()))
                   .arg(qRound(format.rightMargin()))
                   .arg(qRound(format.topMargin()))
                   .arg(qRound(format.bottomMargin()));
        QString last;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString signature = FormatSignature(it.fragment().charFormat());
            if (signature != last)
                out += "<" + signature + ">";
            last = signature;
            out += it.fragment().text();
        }
    }
    return out;
}

bool IsAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

const QColor Maroon(128, 0, 0);
const QColor DarkBlue(0, 51, 102);

} // namespace

TEST(RtfDocuments, HelpReadsWithItsHeadingsListAndColours) {
    const auto document = Read(Resource("HELP"));
    const QString text = document->toPlainText();
    EXPECT_TRUE(text.contains(u"особо неблагоприятные дни"_s));
    // Decoded as code page 1251 throughout: no Western letters from a wrong code page.
    for (const QChar ch : text)
        EXPECT_FALSE(ch.unicode() >= 0xC0 && ch.unicode() <= 0xFF) << text.toStdString();
    EXPECT_EQ(document->metaInformation(QTextDocument::DocumentTitle), u"Справка"_s);

    const std::vector<QTextBlock> blocks = Blocks(*document);
    ASSERT_GE(blocks.size(), 13u);
    const QTextBlock heading = blocks[0];
    EXPECT_EQ(heading.text(), u"Краткая информация"_s);
    EXPECT_EQ(heading.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat headingFormat = heading.begin().fragment().charFormat();
    EXPECT_TRUE(IsBold(headingFormat));
    EXPECT_EQ(Foreground(headingFormat), Maroon);
    EXPECT_EQ(headingFormat.fontFamilies().toStringList(), QStringList{"Tahoma"});

    const QTextCharFormat body = FormatOf(*document, u"синусоидой"_s);
    EXPECT_FALSE(IsBold(body));
    EXPECT_EQ(Foreground(body), DarkBlue);
    EXPECT_EQ(body.fontPointSize(), 10);
    EXPECT_TRUE(IsBold(FormatOf(*document, u"На числовой оси:"_s)));

    // One bulleted list of the six further results, and nothing else in it.
    std::vector<QTextBlock> items;
    for (const QTextBlock& block : blocks) {
        if (block.textList())
            items.push_back(block);
    }
    ASSERT_EQ(items.size(), 6u);
    const QStringList expected{
        "знак зодиака",    "стихию знака",  "ближайший благоприятный", "ближайший неблагоприятный",
        "возраст в годах", "возраст в днях"};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_TRUE(items[i].text().startsWith(expected[int(i)])) << items[i].text().toStdString();
        EXPECT_EQ(items[i].textList(), items[0].textList());
        EXPECT_FALSE(items[i].text().contains(u'\t')); // the marker text is not in the text
    }
    EXPECT_EQ(items[0].textList()->format().style(), QTextListFormat::ListDisc);

    const QTextBlock question = BlockStarting(*document, u"Что такое биоритмические циклы"_s);
    EXPECT_TRUE(question.text().endsWith(u'?'));
    EXPECT_TRUE(IsBold(question.begin().fragment().charFormat()));
    EXPECT_EQ(Foreground(question.begin().fragment().charFormat()), Maroon);

    // Three rhythm paragraphs in this order, each led by its bold name; no heart paragraph.
    int previous = question.blockNumber();
    for (const QString& name :
         {u"Интеллектуальный ритм"_s, u"Эмоциональный ритм"_s, u"Физический ритм"_s}) {
        const QTextBlock block = BlockStarting(*document, name);
        EXPECT_GT(block.blockNumber(), previous);
        previous = block.blockNumber();
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + 1);
        EXPECT_TRUE(IsBold(cursor.charFormat())) << name.toStdString();
        cursor.setPosition(block.position() + name.size() + 3);
        EXPECT_FALSE(IsBold(cursor.charFormat())) << name.toStdString();
    }
    for (const QTextBlock& block : blocks)
        EXPECT_FALSE(block.text().startsWith(u"Сердечн"_s));
}

TEST(RtfDocuments, InfoSaysOneLineWithTheBetaWordsStressed) {
    const auto document = Read(Resource("INFO"));
    const QTextBlock line = document->begin();
    EXPECT_EQ(line.text(), u"Не предусмотрена в бета-версии программы"_s);
    EXPECT_EQ(document->toPlainText().trimmed(), line.text());
    const QTextCharFormat beta = FormatOf(*document, u"бета-версии"_s);
    EXPECT_TRUE(IsBold(beta));
    EXPECT_TRUE(Foreground(beta).isValid());
    EXPECT_NE(Foreground(beta), Foreground(FormatOf(*document, u"программы"_s)));
    EXPECT_FALSE(IsBold(FormatOf(*document, u"программы"_s)));
    EXPECT_FALSE(IsBold(FormatOf(*document, u"Не предусмотрена"_s)));
}

TEST(RtfReader, CodePagesAndUnicode) {
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"), u"Привет"_s);
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}"), u"При"_s); // raw 8-bit text
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1252 \\'cf\\'e9}"), u"Ïé"_s);
    EXPECT_EQ(Text("{\\rtf1\\ansi \\'80}"), u"€"_s);
    // A font's character set chooses the code page of its text.
    EXPECT_EQ(Text("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}"
                   "\\f0\\'e9{\\f1\\'e9}}"),
              u"éй"_s);
    // A character set naming no code page leaves the document's.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 A;}}\\f0\\'e9}"), u"й"_s);

    EXPECT_EQ(Text("{\\rtf1\\uc1\\u1055?\\u1088?}"), u"Пр"_s);
    EXPECT_EQ(Text("{\\rtf1 \\u1055?x}"), u"Пx"_s); // one fallback character by default
    EXPECT_EQ(Text("{\\rtf1\\uc2\\u1055??x}"), u"Пx"_s);
    EXPECT_EQ(Text("{\\rtf1\\uc0\\u1055 x}"), u"Пx"_s);
    EXPECT_EQ(Text("{\\rtf1\\uc1\\u1055\\'cf x}"), u"П x"_s); // the fallback may be an escape
    EXPECT_EQ(Text("{\\rtf1{\\uc3\\u1055}ab}"), u"Пab"_s);    // a group ends the skipping
    EXPECT_EQ(Text("{\\rtf1{\\uc0 a}\\u1055?}"), u"aП"_s);    // \uc is scoped to its group
    EXPECT_EQ(Text("{\\rtf1\\u-255?}"), u"！"_s);             // signed 16 bits
    EXPECT_EQ(Text("{\\rtf1\\u-10179?\\u-8704?}"), u"😀"_s);   // a surrogate pair
    EXPECT_EQ(Text("{\\rtf1 a\\u-10179?b}"), u"a\uFFFDb"_s);  // a lone half
    EXPECT_EQ(Text("{\\rtf1 a\\u10?b\\u0?c}"), u"abc"_s);     // control characters are no text
}

TEST(RtfReader, GroupsDestinationsAndSymbols) {
    const auto nested = Read("{\\rtf1 a{\\b b{\\i c}d}e}");
    EXPECT_EQ(nested->toPlainText(), u"abcde"_s);
    EXPECT_FALSE(IsBold(FormatOf(*nested, "a")));
    EXPECT_TRUE(IsBold(FormatOf(*nested, "b")));
    EXPECT_TRUE(IsBold(FormatOf(*nested, "c")) && FormatOf(*nested, "c").fontItalic());
    EXPECT_TRUE(IsBold(FormatOf(*nested, "d")) && !FormatOf(*nested, "d").fontItalic());
    EXPECT_FALSE(IsBold(FormatOf(*nested, "e")));

    EXPECT_EQ(Text("{\\rtf1 a{\\*\\unknown hidden{\\b x}\\par}b}"), u"ab"_s);
    EXPECT_EQ(Text("{\\rtf1 a{\\*\\pn\\pnlvlcont{\\pntxtb x}}b}"), u"ab"_s);
    EXPECT_EQ(Text("{\\rtf1 a\\foo b\\bar12 c}"), u"abc"_s);
    EXPECT_EQ(Text("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\author Someone}}a"
                   "{\\header H}{\\footnote F}{\\pict 0a1b}{\\comment C}b}"),
              u"ab"_s);
    EXPECT_EQ(Text("{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}"), u"link"_s);
    EXPECT_EQ(Text("{\\rtf1 a{\\v hidden}b}"), u"ab"_s);

    // Binary data may hold anything, braces and control words included.
    EXPECT_EQ(Text("{\\rtf1 A\\bin5 \\par}B}"), u"AB"_s);
    EXPECT_EQ(Text("{\\rtf1 A{\\*\\blob\\bin3 }}}}B}"), u"AB"_s);
    EXPECT_EQ(Text("{\\rtf1 A\\bin99999999999999 xyz}"), u"A"_s);
    EXPECT_EQ(Text("{\\rtf1 A\\bin-5 B}"), u"AB"_s);

    EXPECT_EQ(Read("{\\rtf1 \\{\\}\\\\ a\\~b\\tab c\\line d\\emdash\\bullet}")->begin().text(),
              u"{}\\ a\u00A0b\tc\u2028d—•"_s);
    EXPECT_EQ(Text("{\\rtf1 one\\par two\\\ntwo\\par\\par}"), u"one\ntwo\ntwo\n\n"_s);
}

TEST(RtfReader, ParagraphAndCharacterFormats) {
    const auto document =
        Read("{\\rtf1\\deff0{\\fonttbl{\\f0 Tahoma;}{\\f1\\fnil Arial;}}"
             "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
             "\\pard\\qc\\li720\\ri360\\fi-360\\sb240\\sa120 \\f1\\fs28\\cf1 centred\\par"
             "\\qr right\\par\\qj just\\par\\pard left\\par"
             "{\\qc scoped}\\par"
             "\\plain\\ul under\\ulnone\\strike\\i gone\\strike0\\i0\\b\\b0 \\cf2\\highlight1 blue"
             "\\cf0\\highlight0 auto\\plain\\fs0 tiny\\fs huge\\f7 nofont}");
    const std::vector<QTextBlock> blocks = Blocks(*document);
    ASSERT_EQ(blocks.size(), 6u);
    const QTextBlockFormat centred = blocks[0].blockFormat();
    EXPECT_EQ(centred.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(centred.leftMargin(), 48); // 720 twips at 96 pixels per inch
    EXPECT_DOUBLE_EQ(centred.rightMargin(), 24);
    EXPECT_DOUBLE_EQ(centred.textIndent(), -24);
    EXPECT_DOUBLE_EQ(centred.topMargin(), 16);
    EXPECT_DOUBLE_EQ(centred.bottomMargin(), 8);
    const QTextCharFormat arial = FormatOf(*document, "centred");
    EXPECT_EQ(arial.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(arial.fontPointSize(), 14);
    EXPECT_EQ(Foreground(arial), QColor(255, 0, 0));

    EXPECT_EQ(blocks[1].blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_DOUBLE_EQ(blocks[1].blockFormat().leftMargin(), 48); // kept until \pard
    EXPECT_EQ(blocks[2].blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(blocks[3].blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(blocks[3].blockFormat().leftMargin(), 0);
    // Paragraph properties end with their group; the paragraph mark decides.
    EXPECT_EQ(blocks[4].blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    EXPECT_TRUE(FormatOf(*document, "under").fontUnderline());
    EXPECT_FALSE(FormatOf(*document, "gone").fontUnderline());
    EXPECT_TRUE(FormatOf(*document, "gone").fontStrikeOut());
    EXPECT_TRUE(FormatOf(*document, "gone").fontItalic());
    const QTextCharFormat blue = FormatOf(*document, "blue");
    EXPECT_FALSE(blue.fontStrikeOut() || blue.fontItalic() || IsBold(blue));
    EXPECT_EQ(Foreground(blue), QColor(0, 0, 255));
    EXPECT_EQ(blue.background().color(), QColor(255, 0, 0));
    const QTextCharFormat automatic = FormatOf(*document, "auto");
    EXPECT_EQ(automatic.foreground().style(), Qt::NoBrush);
    EXPECT_EQ(automatic.background().style(), Qt::NoBrush);
    // \plain goes back to the default font and 12 points.
    EXPECT_EQ(FormatOf(*document, "tiny").fontFamilies().toStringList(), QStringList{"Tahoma"});
    EXPECT_GT(FormatOf(*document, "tiny").fontPointSize(), 0);
    EXPECT_EQ(FormatOf(*document, "huge").fontPointSize(), 12);
    EXPECT_TRUE(FormatOf(*document, "nofont").fontFamilies().toStringList().isEmpty());
}

TEST(RtfReader, ListsOfEveryKind) {
    // Lists by table reference (\ls): a marker in a symbol font, the table itself skipped.
    const auto modern = Read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                             "{\\*\\listtable{\\list\\listid1{\\listlevel\\levelnfc23}}}"
                             "\\pard{\\listtext\\f1\\'b7\\tab}\\ls1\\li720\\fi-360 one\\par"
                             "{\\listtext\\f1\\'b7\\tab}two\\par\\pard after\\par\\bullet  dot}");
    std::vector<QTextBlock> blocks = Blocks(*modern);
    ASSERT_EQ(blocks.size(), 4u);
    ASSERT_NE(blocks[0].textList(), nullptr);
    EXPECT_EQ(blocks[0].textList(), blocks[1].textList());
    EXPECT_EQ(blocks[0].textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(blocks[0].text(), u"one"_s);
    EXPECT_EQ(blocks[2].textList(), nullptr);
    EXPECT_EQ(blocks[3].text(), u"• dot"_s);
    EXPECT_EQ(blocks[3].textList(), nullptr);

    const auto numbered = Read("{\\rtf1\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec"
                               "{\\pntxta .}}one\\par{\\pntext 2.\\tab}two\\par"
                               "\\pard{\\pntext a)\\tab}\\ls2 alpha\\par}");
    blocks = Blocks(*numbered);
    ASSERT_EQ(blocks.size(), 4u);
    ASSERT_NE(blocks[0].textList(), nullptr);
    EXPECT_EQ(blocks[0].textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(blocks[1].textList(), blocks[0].textList());
    ASSERT_NE(blocks[2].textList(), nullptr);
    EXPECT_NE(blocks[2].textList(), blocks[0].textList());
    EXPECT_EQ(blocks[2].textList()->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(blocks[3].textList(), nullptr); // the empty line after the last mark
}

TEST(RtfReader, DamagedAndHostileInput) {
    auto document = Read("{\\rtf1 old}");
    document->setMetaInformation(QTextDocument::DocumentTitle, "old");
    ReadRtf("", *document);
    EXPECT_TRUE(document->isEmpty());
    EXPECT_TRUE(document->metaInformation(QTextDocument::DocumentTitle).isEmpty());
    EXPECT_FALSE(document->isUndoAvailable());

    // Not RTF: the bytes as text, in UTF-8 or else in code page 1251.
    EXPECT_EQ(Text("Просто текст\n{x}"), u"Просто текст\n{x}"_s);
    EXPECT_EQ(Text("\xcf\xf0\xe8"), u"При"_s);
    EXPECT_EQ(Text(QByteArray("a\0\1\r\n\rb\x04", 8)), u"a\n\nb"_s); // no control characters

    EXPECT_EQ(Text("{\\rtf1 a}} b}"), u"a b"_s);
    EXPECT_EQ(Text("{\\rtf1 x}}}"), u"x"_s);
    const auto open = Read("{\\rtf1 {\\b a");
    EXPECT_EQ(open->toPlainText(), u"a"_s);
    EXPECT_TRUE(IsBold(FormatOf(*open, "a")));
    EXPECT_EQ(Text("{\\rtf1 a\\"), u"a"_s);
    EXPECT_EQ(Text("{\\rtf1 a\\'4"), u"a"_s);
    EXPECT_EQ(Text("{\\rtf1 a\\'zz}"), u"azz"_s);

    // Depth: far too deep groups are skipped whole, without recursion.
    const QByteArray deep =
        "{\\rtf1 before" + QByteArray(10000, '{') + "deep" + QByteArray(10000, '}') + "after}";
    EXPECT_EQ(Text(deep), u"beforeafter"_s);
    const QByteArray fair = "{\\rtf1 " + QByteArray(200, '{') + "fair" + QByteArray(200, '}') + "}";
    EXPECT_EQ(Text(fair), u"fair"_s);
    EXPECT_EQ(Text("{\\rtf1 before" + QByteArray(100000, '{')), u"before"_s);

    // Parameters far beyond any integer: clamped, never overflowing.
    const auto huge = Read(
        "{\\rtf1{\\fonttbl{\\f99999999999 X;}}{\\colortbl;\\red99999999999\\green-9\\blue3;}"
        "\\f99999999999\\fs99999999999999999999 a\\li-99999999999\\fi99999999999\\sb99999999999 b"
        "\\cf99999999999 c\\cf1 d\\highlight-2147483649 e\\f-99999999999999 f"
        "\\u99999999999 g\\u-99999999999 h\\uc99999999999 \\u1055 ijk{}l\\ansicpg99999999999 \\'e9"
        "\\ucN\\par}");
    EXPECT_TRUE(huge->toPlainText().startsWith(u"abcdefghПl"_s));
    EXPECT_LE(FormatOf(*huge, "a").fontPointSize(), 1638);
    EXPECT_EQ(Foreground(FormatOf(*huge, "d")), QColor(255, 0, 3));
    EXPECT_EQ(FormatOf(*huge, "a").fontFamilies().toStringList(), QStringList{"X"});
}

TEST(RtfReader, EveryTruncationGivesTheTextSoFar) {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Tahoma;}}"
        "{\\colortbl;\\red128\\green0\\blue0;}{\\info{\\title T}}"
        "\\pard\\qc{\\b\\cf1 \\'c7\\'e0\\'e3}\\par\\pard{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt}"
        "\\u1055?\\u-10179?\\u-8704?{\\*\\x{y}}\\bin2 {}z\\par end}";
    const QString full = Text(rtf);
    EXPECT_EQ(full, u"Заг\nП😀z\nend"_s);
    for (qsizetype length = 5; length <= rtf.size(); ++length) {
        const QString text = Text(rtf.left(length));
        // A cut escape may leave up to two wrong characters at the end: \u10 for \u1055, or
        // half of a surrogate pair.
        qsizetype same = 0;
        while (same < text.size() && same < full.size() && text[same] == full[same])
            ++same;
        EXPECT_GE(same, text.size() - 2) << length << ": " << text.toStdString();
    }
}

TEST(RtfWriter, HelpSurvivesARoundTrip) {
    const auto original = Read(Resource("HELP"));
    const QByteArray rtf = WriteRtf(*original);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
    EXPECT_TRUE(IsAscii(rtf));
    for (const QByteArray& line : rtf.split('\n'))
        EXPECT_LE(line.size(), 160) << line.constData(); // broken into lines of readable length
    EXPECT_TRUE(rtf.contains("\\'ca\\'f0\\'e0\\'f2\\'ea\\'e0\\'ff")); // "Краткая" in 1251
    EXPECT_FALSE(QString::fromLatin1(rtf).contains(QRegularExpression(R"(\\u-?\d)")));

    const auto copy = Read(rtf);
    EXPECT_EQ(copy->toPlainText(), original->toPlainText());
    EXPECT_EQ(Signature(*copy).toStdString(), Signature(*original).toStdString());
    EXPECT_EQ(copy->metaInformation(QTextDocument::DocumentTitle), u"Справка"_s);
    // Written again, the same bytes: nothing drifts from one save to the next.
    EXPECT_EQ(WriteRtf(*copy), rtf);
}

TEST(RtfWriter, AnyTextAndFormatSurvive) {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    plain.setFontFamilies({"Tahoma"});
    plain.setFontPointSize(9);
    const QString odd = u"Цена 5€ ✓ 中文 ！😀 {x} \\par\\ Ёж\tтаб ~a\u00A0b\u2028end"_s;
    cursor.insertText(odd, plain);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setRightMargin(10);
    cursor.insertBlock(centred);
    QTextCharFormat fancy = plain;
    fancy.setFontWeight(QFont::Bold);
    fancy.setFontItalic(true);
    fancy.setFontUnderline(true);
    fancy.setForeground(QColor(1, 2, 3));
    fancy.setBackground(QColor(250, 240, 230));
    fancy.setFontFamilies({u"Шрифт"_s});
    cursor.insertText("fancy", fancy);
    cursor.insertText(" then plain", plain);
    QTextBlockFormat indented;
    indented.setLeftMargin(30);
    indented.setTextIndent(-15);
    indented.setTopMargin(4);
    indented.setBottomMargin(6);
    cursor.insertBlock(indented);
    cursor.insertText("indented", plain);
    cursor.insertBlock(QTextBlockFormat());
    QTextListFormat decimal;
    decimal.setStyle(QTextListFormat::ListDecimal);
    cursor.createList(decimal);
    cursor.insertText("first", plain);
    cursor.insertBlock();
    cursor.insertText("second", plain);
    cursor.insertBlock(QTextBlockFormat());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    cursor.createList(bullets);
    cursor.insertText("bullet", plain);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText("", plain);

    const QByteArray rtf = WriteRtf(document);
    EXPECT_TRUE(IsAscii(rtf));
    const QByteArray unbroken = QByteArray(rtf).replace("\r\n", "");
    EXPECT_TRUE(
        unbroken.contains("5\\'88 \\u10003? \\u20013?\\u25991? \\u-255?\\u-10179?\\u-8704?"));
    EXPECT_TRUE(unbroken.contains("\\{x\\} \\\\par\\\\ "));

    const auto copy = Read(rtf);
    EXPECT_EQ(copy->toPlainText(), document.toPlainText());
    EXPECT_EQ(copy->begin().text(), odd);
    EXPECT_EQ(Signature(*copy).toStdString(), Signature(document).toStdString());
    EXPECT_EQ(FormatOf(*copy, "fancy").fontFamilies().toStringList(), QStringList{u"Шрифт"_s});
}

TEST(RtfWriter, EmptyAndExtremeDocuments) {
    QTextDocument empty;
    QByteArray rtf = WriteRtf(empty);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
    auto copy = Read(rtf);
    EXPECT_TRUE(copy->isEmpty());
    EXPECT_EQ(copy->blockCount(), 1);

    // Sizes and margins no reader could use come out clamped, not as overflowed numbers.
    QTextDocument extreme;
    QTextCursor cursor(&extreme);
    QTextBlockFormat wide;
    wide.setLeftMargin(1e12);
    wide.setTextIndent(-1e12);
    cursor.setBlockFormat(wide);
    QTextCharFormat huge;
    huge.setFontPointSize(1e300);
    cursor.insertText("big", huge);
    rtf = WriteRtf(extreme);
    EXPECT_TRUE(rtf.contains("\\li31680\\fi-31680")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\fs3276 big"));
    copy = Read(rtf);
    EXPECT_EQ(copy->toPlainText(), u"big"_s);
    EXPECT_EQ(FormatOf(*copy, "big").fontPointSize(), 1638);
}

namespace {

// One paragraph after another, each a run of text in its own format.
struct TRun {
    QString text;
    QTextCharFormat format;
};

std::unique_ptr<QTextDocument> Document(const std::vector<TRun>& runs, QString title = {}) {
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    cursor.beginEditBlock(); // one change at the end: far quicker for thousands of runs
    for (const TRun& run : runs)
        cursor.insertText(run.text, run.format);
    cursor.endEditBlock();
    document->setMetaInformation(QTextDocument::DocumentTitle, title);
    return document;
}

// A format as the viewer's documents have them: a font and a size on every run.
QTextCharFormat Format(const QString& family = "Tahoma", bool bold = false) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(9);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

} // namespace

// Runs, fonts, colours, long words and long titles: however the text is made, no line of the
// source outgrows a hundred characters by more than one control word or escape, and every line
// after the first begins where a reader ignores the break before it: at a backslash or a brace.
TEST(RtfWriter, LinesStayShortWhateverTheDocument) {
    std::vector<TRun> runs, fonts, words, cyrillic, escapes;
    for (int i = 0; i < 3000; ++i) {
        runs.push_back({"x", Format()});
        runs.push_back({"y", Format("Tahoma", true)});
    }
    for (int i = 0; i < 1000; ++i) {
        QTextCharFormat format = Format(QStringLiteral("Font %1").arg(i));
        format.setForeground(QColor(i % 256, i / 256 * 50, 7));
        format.setBackground(QColor(3, i % 256, 100 + i / 256));
        fonts.push_back({QStringLiteral("w%1 ").arg(i), format});
    }
    words.push_back({QString(20000, u'x'), Format()});
    words.push_back({QString(3000, u' ') + u"a b c d e f g h"_s.repeated(500), Format("A", true)});
    cyrillic.push_back({u"Ёжик в тумане😀 中文 "_s.repeated(500), Format(u"Шрифт"_s)});
    escapes.push_back({u"{}\\\t\u00A0\u00AD"_s.repeated(2000), Format()});

    const struct {
        const char* name;
        std::unique_ptr<QTextDocument> document;
    } rows[] = {
        {"3000 runs of one letter", Document(runs)},
        {"1000 fonts and 2000 colours", Document(fonts)},
        {"a word of 20000 letters, 3000 blanks", Document(words)},
        {"Cyrillic and \\u text", Document(cyrillic)},
        {"escapes only", Document(escapes)},
        {"a title of 8000 characters",
         Document({{"text", Format()}}, u"Заголовок "_s.repeated(800) + u"конец"_s)},
    };
    constexpr qsizetype Bound = 100 + 20; // "\highlight2000" is the longest word here
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray rtf = WriteRtf(*row.document);
        const QList<QByteArray> lines = rtf.split('\n');
        QByteArray longest, badStart;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QByteArray line = lines[i].chopped(lines[i].endsWith('\r') ? 1 : 0);
            if (line.size() > longest.size())
                longest = line;
            if (i > 0 && badStart.isEmpty() && !line.isEmpty() && line[0] != '\\' &&
                line[0] != '{' && line[0] != '}')
                badStart = line;
        }
        EXPECT_LE(longest.size(), Bound) << longest.left(300).constData();
        EXPECT_EQ(badStart, QByteArray());
        const auto copy = Read(rtf);
        EXPECT_EQ(copy->toPlainText(), row.document->toPlainText());
        EXPECT_EQ(Signature(*copy), Signature(*row.document));
        EXPECT_EQ(copy->metaInformation(QTextDocument::DocumentTitle),
                  row.document->metaInformation(QTextDocument::DocumentTitle));
    }
}

// The marker text of numbered items, for readers that do not number lists themselves: every
// style the viewer can show, at the numbers where the counting changes.
TEST(RtfWriter, ListMarkersCountEveryStyle) {
    const struct {
        QTextListFormat::Style style;
        int items;
        QString prefix, suffix; // empty: the list's own
        std::vector<std::pair<int, QString>> markers;
    } lists[] = {
        {QTextListFormat::ListDecimal, 12, {}, {}, {{1, "1."}, {9, "9."}, {10, "10."}}},
        {QTextListFormat::ListDecimal, 3, "(", ")", {{1, "(1)"}, {3, "(3)"}}},
        {QTextListFormat::ListLowerAlpha,
         703,
         {},
         {},
         {{1, "a."},
          {26, "z."},
          {27, "aa."},
          {52, "az."},
          {53, "ba."},
          {702, "zz."},
          {703, "aaa."}}},
        {QTextListFormat::ListUpperAlpha, 28, {}, {}, {{2, "B."}, {28, "AB."}}},
        {QTextListFormat::ListLowerRoman,
         5001,
         {},
         {},
         {{1, "i."},
          {4, "iv."},
          {9, "ix."},
          {14, "xiv."},
          {40, "xl."},
          {90, "xc."},
          {400, "cd."},
          {1994, "mcmxciv."},
          {3999, "mmmcmxcix."},
          {4999, "mmmmcmxcix."},
          {5000, "?."}}},
        {QTextListFormat::ListUpperRoman, 2024, {}, {}, {{2024, "MMXXIV."}, {49, "XLIX."}}},
    };
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const auto& list : lists) {
        cursor.insertBlock(QTextBlockFormat());
        QTextListFormat format;
        format.setStyle(list.style);
        if (!list.prefix.isEmpty()) {
            format.setNumberPrefix(list.prefix);
            format.setNumberSuffix(list.suffix);
        }
        cursor.createList(format);
        for (int item = 1; item <= list.items; ++item) {
            if (item > 1)
                cursor.insertBlock();
            cursor.insertText(QString::number(item));
        }
    }
    cursor.endEditBlock();
    // The markers in the order they stand in the source.
    const QString rtf = QString::fromLatin1(WriteRtf(document)).remove("\r\n");
    QStringList written;
    const QRegularExpression marker(R"(\{\\pntext ([^\\]*)\\tab\})");
    for (auto it = marker.globalMatch(rtf); it.hasNext();)
        written << it.next().captured(1);
    int first = 0;
    for (const auto& list : lists) {
        SCOPED_TRACE(int(list.style));
        ASSERT_LE(first + list.items, written.size());
        for (const auto& [item, text] : list.markers)
            EXPECT_EQ(written[first + item - 1], text) << item;
        first += list.items;
    }
    EXPECT_EQ(first, written.size());
}
