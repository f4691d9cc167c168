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

// A character format in short: b, i, u, s for bold, italic, underlined and struck out, then the
// font, the size in points and the colours where set, "on" the background.
QString Look(const QTextCharFormat& format) {
    QStringList parts;
    const std::pair<bool, const char*> flags[] = {{format.fontWeight() >= QFont::DemiBold, "b"},
                                                  {format.fontItalic(), "i"},
                                                  {format.fontUnderline(), "u"},
                                                  {format.fontStrikeOut(), "s"}};
    for (const auto& [on, flag] : flags)
        if (on)
            parts << QLatin1String(flag);
    parts << format.fontFamilies().toStringList() << QString::number(format.fontPointSize());
    if (format.foreground().style() != Qt::NoBrush)
        parts << format.foreground().color().name();
    if (format.background().style() != Qt::NoBrush)
        parts << "on" + format.background().color().name();
    return parts.join(u' ');
}

// A document in short, a line a paragraph: in brackets its alignment (c, r, j), its indents and
// spacing in pixels where not 0 (l left, f first line, r right, t top, b bottom) and its list (the
// style's marker and the list's number in the document); then its text, each run led by its look
// in braces and cut to `cut` characters. Independent of how the text is cut into fragments.
QString Dump(const QTextDocument& document, qsizetype cut = -1) {
    QStringList lines;
    QList<const QTextList*> lists;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        const QTextList* list = block.textList();
        QStringList paragraph;
        const auto alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment != Qt::AlignLeft)
            paragraph << (alignment == Qt::AlignHCenter ? "c"
                          : alignment == Qt::AlignRight ? "r"
                                                        : "j");
        const qreal listIndent = list ? list->format().indent() * document.indentWidth() : 0;
        const std::pair<const char*, qreal> margins[] = {{"l", format.leftMargin() + listIndent},
                                                         {"f", format.textIndent()},
                                                         {"r", format.rightMargin()},
                                                         {"t", format.topMargin()},
                                                         {"b", format.bottomMargin()}};
        for (const auto& [name, pixels] : margins)
            if (qRound(pixels) != 0)
                paragraph << QLatin1String(name) + QString::number(qRound(pixels));
        if (list) {
            if (!lists.contains(list))
                lists << list;
            // The styles from ListDisc (-1) down to ListUpperRoman (-8).
            paragraph << u"•o▪1aAiI"_s.at(-int(list->format().style()) - 1) + "#"_L1 +
                             QString::number(lists.indexOf(list));
        }
        QString line = "[" + paragraph.join(u' ') + "]", run, look;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (const QString next = Look(it.fragment().charFormat()); next != look) {
                line += run.left(cut) + "{" + next + "}";
                run.clear();
                look = next;
            }
            run += it.fragment().text();
        }
        lines << line + run.left(cut);
    }
    return lines.join(u'\n');
}

// A document of one paragraph: runs of text, each in its own format.
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

// Headings bold in maroon, body text in dark blue, one bulleted list, the rhythms' paragraphs led
// by their names in bold navy and none for the heart rhythm; all of it in code page 1251.
TEST(RtfDocuments, HelpReadsWithItsHeadingsListAndColours) {
    const auto document = Read(Resource("HELP"));
    EXPECT_EQ(document->metaInformation(QTextDocument::DocumentTitle), u"Справка"_s);
    EXPECT_TRUE(document->toPlainText().contains(u"особо неблагоприятные дни"_s));
    EXPECT_FALSE(document->toPlainText().contains(QRegularExpression("[\\x{C0}-\\x{FF}]")));
    const QString body = u"Tahoma 10 #003366}"_s, item = u"[l40 b3 •#0]{"_s + body;
    EXPECT_EQ(Dump(*document, 31),
              QStringList({u"[c b8]{b Tahoma 12 #800000}Краткая информация"_s,
                           "[j b8]{" + body + u"Программа рассчитывает биоритмы"_s,
                           u"[j b8]{b "_s + body + u"На числовой оси:{"_s + body +
                               u" числа означают дни месяца, ден"_s,
                           item + u"знак зодиака;"_s, item + u"стихию знака;"_s,
                           item + u"ближайший благоприятный день;"_s,
                           item + u"ближайший неблагоприятный день;"_s,
                           item + u"возраст в годах;"_s, item + u"возраст в днях."_s,
                           u"[t8 b8]{b Tahoma 12 #800000}Что такое биоритмические циклы?"_s,
                           "[j b8]{" + body + u"Каждый цикл начинается с нуля в"_s,
                           u"[j b8]{b Tahoma 10 #000080}Интеллектуальный ритм{"_s + body +
                               u" (около 33 дней) управляет памя"_s,
                           u"[j b8]{b Tahoma 10 #000080}Эмоциональный ритм{"_s + body +
                               u" (около 28 дней) определяет нас"_s,
                           u"[j b8]{b Tahoma 10 #000080}Физический ритм{"_s + body +
                               u" (около 23 дней) отвечает за си"_s,
                           "[j b8]"})
                  .join(u'\n'));
}

TEST(RtfDocuments, InfoSaysOneLineWithTheBetaWordsStressed) {
    EXPECT_EQ(Dump(*Read(Resource("INFO"))),
              u"[c t16]{Tahoma 10 #003366}Не предусмотрена в {b Tahoma 10 #800000}бета-версии"
              u"{Tahoma 10 #003366} программы\n[c t16]"_s);
}

TEST(RtfReader, CodePagesAndUnicode) {
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"), u"Привет"_s);
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}"), u"При"_s); // raw 8-bit text
    EXPECT_EQ(Text("{\\rtf1\\ansi \\'80\\'e9}"), u"€é"_s);
    // A font's character set chooses the code page of its text.
    EXPECT_EQ(Text("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}"
                   "\\f0\\'e9{\\f1\\'e9}}"),
              u"éй"_s);
    // A character set naming no code page leaves the document's.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 A;}}\\f0\\'e9}"), u"й"_s);

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
    EXPECT_EQ(Dump(*Read("{\\rtf1 a{\\b b{\\i c}d}e}")), "[]{12}a{b 12}b{b i 12}c{b 12}d{12}e");
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

// Paragraph properties last until \pard and end with their group, the paragraph mark deciding;
// 720 twips are 48 pixels at 96 per inch. \plain goes back to the default font and 12 points.
TEST(RtfReader, ParagraphAndCharacterFormats) {
    const auto document =
        Read("{\\rtf1\\deff0{\\fonttbl{\\f0 Tahoma;}{\\f1\\fnil Arial;}}"
             "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
             "\\pard\\qc\\li720\\ri360\\fi-360\\sb240\\sa120 \\f1\\fs28\\cf1 centred\\par"
             "\\qr right\\par\\qj just\\par\\pard left\\par"
             "{\\qc scoped}\\par"
             "\\plain\\ul under\\ulnone\\strike\\i gone\\strike0\\i0\\b\\b0 \\cf2\\highlight1 blue"
             "\\cf0\\highlight0 auto\\plain\\fs0 tiny\\fs huge\\f7 nofont}");
    EXPECT_EQ(Dump(*document), "[c l48 f-24 r24 t16 b8]{Arial 14 #ff0000}centred\n"
                               "[r l48 f-24 r24 t16 b8]{Arial 14 #ff0000}right\n"
                               "[j l48 f-24 r24 t16 b8]{Arial 14 #ff0000}just\n"
                               "[]{Arial 14 #ff0000}left\n"
                               "[]{Arial 14 #ff0000}scoped\n"
                               "[]{u Tahoma 12}under{i s Tahoma 12}gone"
                               "{Tahoma 12 #0000ff on#ff0000}blue{Tahoma 12}auto{Tahoma 0.5}tiny"
                               "{Tahoma 12}huge{12}nofont");
}

// Lists by table reference (\ls) with a marker in a symbol font, and by \pn; the marker text is
// no text of the document, and the empty line after the last mark is no item.
TEST(RtfReader, ListsOfEveryKind) {
    EXPECT_EQ(Dump(*Read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                         "{\\*\\listtable{\\list\\listid1{\\listlevel\\levelnfc23}}}"
                         "\\pard{\\listtext\\f1\\'b7\\tab}\\ls1\\li720\\fi-360 one\\par"
                         "{\\listtext\\f1\\'b7\\tab}two\\par\\pard after\\par\\bullet  dot}")),
              u"[l48 •#0]{12}one\n[l48 •#0]{12}two\n[]{12}after\n[]{12}• dot"_s);
    EXPECT_EQ(Dump(*Read("{\\rtf1\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec"
                         "{\\pntxta .}}one\\par{\\pntext 2.\\tab}two\\par"
                         "\\pard{\\pntext a)\\tab}\\ls2 alpha\\par}")),
              "[l40 1#0]{12}one\n[l40 1#0]{12}two\n[l40 a#1]{12}alpha\n[]");
}

TEST(RtfReader, DamagedAndHostileInput) {
    // Loading is no edit to undo; nothing read, the document is left empty.
    auto document = Read("{\\rtf1 old}");
    EXPECT_FALSE(document->isUndoAvailable());
    document->setMetaInformation(QTextDocument::DocumentTitle, "old");
    ReadRtf("", *document);
    EXPECT_TRUE(document->isEmpty());
    EXPECT_TRUE(document->metaInformation(QTextDocument::DocumentTitle).isEmpty());

    // Not RTF: the bytes as text, in UTF-8 or else in code page 1251.
    EXPECT_EQ(Text("Просто текст\n{x}"), u"Просто текст\n{x}"_s);
    EXPECT_EQ(Text("\xcf\xf0\xe8"), u"При"_s);
    EXPECT_EQ(Text(QByteArray("a\0\1\r\n\rb\x04", 8)), u"a\n\nb"_s); // no control characters

    EXPECT_EQ(Text("{\\rtf1 a}} b}"), u"a b"_s);
    EXPECT_EQ(Dump(*Read("{\\rtf1 {\\b a")), "[]{b 12}a");
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
    EXPECT_TRUE(Dump(*huge).startsWith("[l-2112 f2112 t2112]{X 1638}abc{X 1638 #ff0003}d"))
        << Dump(*huge).toStdString();
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

// Written again, the same bytes: nothing drifts from one save to the next.
TEST(RtfWriter, HelpSurvivesARoundTrip) {
    const auto original = Read(Resource("HELP"));
    const QByteArray rtf = WriteRtf(*original);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
    EXPECT_FALSE(QString::fromLatin1(rtf).contains(QRegularExpression("[^\\x00-\\x7f]")));
    EXPECT_TRUE(rtf.contains("\\'ca\\'f0\\'e0\\'f2\\'ea\\'e0\\'ff")); // "Краткая" in 1251
    EXPECT_FALSE(QString::fromLatin1(rtf).contains(QRegularExpression(R"(\\u-?\d)")));
    const auto copy = Read(rtf);
    EXPECT_EQ(Dump(*copy).toStdString(), Dump(*original).toStdString());
    EXPECT_EQ(copy->metaInformation(QTextDocument::DocumentTitle), u"Справка"_s);
    EXPECT_EQ(WriteRtf(*copy), rtf);
}

TEST(RtfWriter, AnyTextAndFormatSurvive) {
    QTextDocument document;
    QTextCursor cursor(&document);
    const QTextCharFormat plain = Format();
    const QString odd = u"Цена 5€ ✓ 中文 ！😀 {x} \\par\\ Ёж\tтаб ~a\u00A0b\u2028end"_s;
    cursor.insertText(odd, plain);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setRightMargin(10);
    cursor.insertBlock(centred);
    QTextCharFormat fancy = Format(u"Шрифт"_s, true);
    fancy.setFontItalic(true);
    fancy.setFontUnderline(true);
    fancy.setFontStrikeOut(true);
    fancy.setForeground(QColor(1, 2, 3));
    fancy.setBackground(QColor(250, 240, 230));
    cursor.insertText("fancy", fancy);
    cursor.insertText(" then plain", plain);
    QTextBlockFormat indented;
    indented.setLeftMargin(30);
    indented.setTextIndent(-15);
    indented.setTopMargin(4);
    indented.setBottomMargin(6);
    cursor.insertBlock(indented);
    cursor.insertText("indented", plain);
    for (const auto style : {QTextListFormat::ListDecimal, QTextListFormat::ListDisc}) {
        cursor.insertBlock(QTextBlockFormat());
        cursor.createList(style);
        cursor.insertText("first", plain);
        cursor.insertBlock();
        cursor.insertText("second", plain);
    }
    cursor.insertBlock(QTextBlockFormat());

    const QByteArray rtf = WriteRtf(document);
    EXPECT_FALSE(QString::fromLatin1(rtf).contains(QRegularExpression("[^\\x00-\\x7f]")));
    const QByteArray unbroken = QByteArray(rtf).replace("\r\n", "");
    EXPECT_TRUE(
        unbroken.contains("5\\'88 \\u10003? \\u20013?\\u25991? \\u-255?\\u-10179?\\u-8704?"));
    EXPECT_TRUE(unbroken.contains("\\{x\\} \\\\par\\\\ "));
    const auto copy = Read(rtf);
    EXPECT_EQ(copy->begin().text(), odd);
    EXPECT_EQ(Dump(*copy).toStdString(), Dump(document).toStdString());
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
    EXPECT_TRUE(Dump(*Read(rtf)).endsWith("1638}big"));
}

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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray rtf = WriteRtf(*row.document);
        // No line over 120 characters ("\highlight2000" is the longest word here), none begun
        // elsewhere.
        for (const char* fault : {R"([^\r\n]{121})", R"(\n[^\r\\{}])"}) {
            const auto found = QRegularExpression(fault).match(QString::fromLatin1(rtf));
            EXPECT_FALSE(found.hasMatch()) << fault << " at " << found.capturedStart();
        }
        const auto copy = Read(rtf);
        EXPECT_EQ(Dump(*copy), Dump(*row.document));
        EXPECT_EQ(copy->metaInformation(QTextDocument::DocumentTitle),
                  row.document->metaInformation(QTextDocument::DocumentTitle));
    }
}

// The marker text of numbered items, for readers that do not number lists themselves: every
// style the viewer can show, at the numbers where the counting changes.
TEST(RtfWriter, ListMarkersCountEveryStyle) {
    using enum QTextListFormat::Style;
    // Each list as long as its last marker's number.
    const struct {
        QTextListFormat::Style style;
        std::vector<std::pair<int, QString>> markers;
        QString prefix = {}, suffix = {}; // empty: the list's own
    } lists[] = {
        {ListDecimal, {{9, "9."}, {10, "10."}}},
        {ListDecimal, {{3, "(3)"}}, "(", ")"},
        {ListLowerAlpha, {{26, "z."}, {27, "aa."}, {702, "zz."}, {703, "aaa."}}},
        {ListUpperAlpha, {{28, "AB."}}},
        // Every numeral, every subtractive pair and the largest number written in numerals.
        {ListLowerRoman,
         {{400, "cd."},
          {1994, "mcmxciv."},
          {3888, "mmmdccclxxxviii."},
          {4999, "mmmmcmxcix."},
          {5000, "?."}}},
        {ListUpperRoman, {{49, "XLIX."}}},
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
        for (int item = 1; item <= list.markers.back().first; ++item) {
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
        ASSERT_LE(first + list.markers.back().first, written.size());
        for (const auto& [item, text] : list.markers)
            EXPECT_EQ(written[first + item - 1], text) << item;
        first += list.markers.back().first;
    }
    EXPECT_EQ(first, written.size());
}
