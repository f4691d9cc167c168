#include "viewer/RtfWriter.h"

#include "viewer/RtfCodePage.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextList>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

constexpr double TwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch

long long Twips(qreal pixels) {
    return std::lround(std::clamp<qreal>(pixels, -2112, 2112) * TwipsPerPixel);
}

// Past this many characters a line ends at the next place where RTF ignores a line break.
constexpr qsizetype LineLength = 100;

// RTF source cut into lines. A line breaks only before a control word, an escape or a brace,
// where readers ignore the break; never between two characters of the text nor between a
// control word and the blank that ends it. Nothing is searched back, so writing stays linear.
class TRtfSink {
public:
    // A piece that begins with "\", "{" or "}": a long line ends before it.
    void Token(std::string_view piece) {
        if (LineIsLong())
            NewLine();
        Append(piece);
    }
    // A control word with a number, as one piece.
    void Word(std::string_view name, long long value) {
        std::array<char, 48> buffer{};
        buffer[0] = '\\';
        char* end = std::copy(name.begin(), name.end(), buffer.begin() + 1);
        end = std::to_chars(end, buffer.data() + buffer.size(), value).ptr;
        Token(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())));
    }
    // A piece that stays on the current line, however long it is.
    void Append(std::string_view piece) {
        bytes_.append(piece.data(), static_cast<qsizetype>(piece.size()));
    }
    void NewLine() {
        bytes_ += "\r\n";
        lineStart_ = bytes_.size();
    }
    void Text(QStringView text) {
        for (const QChar ch : text)
            Character(ch.unicode());
    }

    QByteArray& Bytes() { return bytes_; }

private:
    bool LineIsLong() const { return bytes_.size() - lineStart_ >= LineLength; }
    void Character(char16_t ch);
    void Escape(int byte) {
        static constexpr char Hex[] = "0123456789abcdef";
        const char escape[] = {'\\', '\'', Hex[(byte >> 4) & 15], Hex[byte & 15]};
        Token(std::string_view(escape, sizeof escape));
    }

    QByteArray bytes_;
    qsizetype lineStart_ = 0;
};

// A character as RTF: ASCII as is, code page 1251 as \'hh, everything else as \uN with a "?"
// for readers that know no Unicode.
void TRtfSink::Character(char16_t ch) {
    switch (ch) {
    case u'\\':
        return Token("\\\\");
    case u'{':
        return Token("\\{");
    case u'}':
        return Token("\\}");
    case u'\t':
        return Token("\\tab ");
    case QChar::LineSeparator:
        return Token("\\line ");
    case QChar::Nbsp:
        return Token("\\~");
    case QChar::SoftHyphen:
        return Token("\\-");
    case u'\u2011':
        return Token("\\_");
    case QChar::ObjectReplacementCharacter: // an image or object: not text
    case 0xFDD0:                            // frame markers
    case 0xFDD1:
        return;
    default:
        break;
    }
    if (ch < 0x20)
        return;
    if (ch < 0x80) {
        // Within a long word the line may break only before an escape, so the character
        // that would make the line too long becomes one.
        if (LineIsLong())
            return Escape(ch);
        const char byte = static_cast<char>(ch);
        return Append(std::string_view(&byte, 1));
    }
    if (const int byte = EncodeCp1251(ch); byte >= 0)
        return Escape(byte);
    Word("u", static_cast<int16_t>(ch));
    Append("?");
}

const char* PnStyleWord(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListDecimal:
        return "\\pndec";
    case QTextListFormat::ListLowerAlpha:
        return "\\pnlcltr";
    case QTextListFormat::ListUpperAlpha:
        return "\\pnucltr";
    case QTextListFormat::ListLowerRoman:
        return "\\pnlcrm";
    case QTextListFormat::ListUpperRoman:
        return "\\pnucrm";
    default:
        return nullptr; // a bullet
    }
}

// The number of a list item as the list shows it. QTextList::itemText finds the item's place
// by a search through the list, which for every item of a long list adds up to quadratic time.
QString ItemNumberText(QTextListFormat::Style style, int number) {
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha: {
        const char16_t first = style == QTextListFormat::ListUpperAlpha ? u'A' : u'a';
        QString letters;
        for (int n = number; n > 0; n = (n - 1) / 26)
            letters.prepend(QChar(static_cast<char16_t>(first + (n - 1) % 26)));
        return letters;
    }
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman: {
        if (number >= 5000)
            return QStringLiteral("?");
        static constexpr std::pair<int, const char*> Numerals[] = {
            {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
            {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
        QString roman;
        int rest = number;
        for (const auto& [value, numeral] : Numerals) {
            for (; rest >= value; rest -= value)
                roman += QLatin1String(numeral);
        }
        return style == QTextListFormat::ListUpperRoman ? roman.toUpper() : roman;
    }
    default:
        return QString::number(number);
    }
}

class TRtfWriter {
public:
    explicit TRtfWriter(const QTextDocument& document) : document_(document) {
        // The document's own font is font 0, the one \plain returns to.
        FontIndex(document.defaultFont().family());
    }

    QByteArray Write();

private:
    void WriteBlock(const QTextBlock& block);
    void WriteListMarker(const QTextBlock& block, const QTextList& list);
    void WriteCharFormat(const QTextCharFormat& format);
    int FontIndex(const QString& family);
    int ColorIndex(const QColor& color);

    const QTextDocument& document_;
    QStringList fonts_;
    QHash<QString, int> fontIndex_;
    QList<QRgb> colors_; // entry 0 of the table is the automatic colour, so index + 1
    QHash<QRgb, int> colorIndex_;
    QHash<const QTextList*, int> listItems_; // items of each list written so far
    TRtfSink body_;
};

QByteArray TRtfWriter::Write() {
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        WriteBlock(block);
        if (block.next().isValid()) {
            body_.Token("\\par");
            body_.NewLine();
        }
    }

    TRtfSink out;
    out.Append("{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1");
    out.NewLine();
    out.Append("{\\fonttbl");
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out.Token("{");
        out.Word("f", i);
        out.Token("\\fnil");
        out.Token("\\fcharset204 ");
        out.Text(QString(fonts_[i]).remove(u';'));
        out.Append(";");
        out.Token("}");
    }
    out.Token("}");
    out.NewLine();
    out.Append("{\\colortbl ;");
    for (const QRgb rgb : std::as_const(colors_)) {
        out.Word("red", qRed(rgb));
        out.Word("green", qGreen(rgb));
        out.Word("blue", qBlue(rgb));
        out.Append(";");
    }
    out.Token("}");
    out.NewLine();
    const QString title = document_.metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty()) {
        out.Append("{\\info{\\title ");
        out.Text(title);
        out.Token("}");
        out.Token("}");
        out.NewLine();
    }
    QByteArray& bytes = out.Bytes();
    bytes += body_.Bytes();
    bytes += "}\r\n";
    return bytes;
}

void TRtfWriter::WriteBlock(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    const QTextList* list = block.textList();
    body_.Token("\\pard");
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        body_.Token("\\qc");
    else if (alignment & Qt::AlignRight)
        body_.Token("\\qr");
    else if (alignment & Qt::AlignJustify)
        body_.Token("\\qj");

    const qreal indentWidth = document_.indentWidth();
    qreal indentSteps = format.indent();
    if (list)
        indentSteps += list->format().indent();
    const qreal left = format.leftMargin() + indentSteps * indentWidth;
    // A list marker hangs in the step before the text.
    const qreal first = list ? -indentWidth : format.textIndent();
    if (left != 0)
        body_.Word("li", Twips(left));
    if (first != 0)
        body_.Word("fi", Twips(first));
    if (format.rightMargin() != 0)
        body_.Word("ri", Twips(format.rightMargin()));
    if (format.topMargin() > 0)
        body_.Word("sb", Twips(format.topMargin()));
    if (format.bottomMargin() > 0)
        body_.Word("sa", Twips(format.bottomMargin()));

    // The paragraph mark's own format, which sizes an empty line.
    body_.Token("\\plain");
    WriteCharFormat(block.charFormat());
    if (list)
        WriteListMarker(block, *list);

    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        body_.Token("{");
        body_.Token("\\plain");
        WriteCharFormat(fragment.charFormat());
        body_.Append(" ");
        body_.Text(fragment.text());
        body_.Token("}");
    }
}

void TRtfWriter::WriteListMarker(const QTextBlock& block, const QTextList& list) {
    const QTextListFormat listFormat = list.format();
    const QTextListFormat::Style style = listFormat.style();
    const int number = ++listItems_[&list];
    const char* word = PnStyleWord(style);
    body_.Token("{");
    body_.Token("\\pntext ");
    if (word) {
        // Blocks come in document order, which is the order of the list's items.
        QString prefix = listFormat.numberPrefix();
        QString suffix = listFormat.hasProperty(QTextFormat::ListNumberSuffix)
                             ? listFormat.numberSuffix()
                             : QStringLiteral(".");
        if (block.textDirection() == Qt::RightToLeft)
            std::swap(prefix, suffix);
        body_.Text(prefix + ItemNumberText(style, number) + suffix);
    } else {
        body_.Token("\\'95");
    }
    body_.Token("\\tab");
    body_.Token("}");
    body_.Token("{");
    body_.Token("\\*\\pn");
    if (word) {
        body_.Token("\\pnlvlbody");
        body_.Token(word);
        body_.Token("\\pnstart1");
        body_.Token("{");
        body_.Token("\\pntxta ");
        body_.Append(".");
        body_.Token("}");
    } else {
        body_.Token("\\pnlvlblt");
        body_.Token("{");
        body_.Token("\\pntxtb ");
        body_.Token("\\'95");
        body_.Token("}");
    }
    body_.Token("}");
}

void TRtfWriter::WriteCharFormat(const QTextCharFormat& format) {
    const QString family = format.fontFamilies().toStringList().value(0);
    body_.Word("f", family.isEmpty() ? 0 : FontIndex(family));

    qreal points = format.fontPointSize();
    if (points <= 0)
        points = document_.defaultFont().pointSizeF();
    if (points <= 0)
        points = 12;
    body_.Word("fs", std::lround(std::clamp<qreal>(points, 0.5, 1638) * 2));

    if (format.fontWeight() >= QFont::DemiBold)
        body_.Token("\\b");
    if (format.fontItalic())
        body_.Token("\\i");
    if (format.fontUnderline())
        body_.Token("\\ul");
    if (format.fontStrikeOut())
        body_.Token("\\strike");
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        body_.Token("\\super");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        body_.Token("\\sub");
    if (const QBrush brush = format.foreground(); brush.style() != Qt::NoBrush)
        body_.Word("cf", ColorIndex(brush.color()));
    if (const QBrush brush = format.background(); brush.style() != Qt::NoBrush)
        body_.Word("highlight", ColorIndex(brush.color()));
}

int TRtfWriter::FontIndex(const QString& family) {
    auto it = fontIndex_.constFind(family);
    if (it == fontIndex_.cend()) {
        it = fontIndex_.insert(family, static_cast<int>(fonts_.size()));
        fonts_.append(family);
    }
    return it.value();
}

int TRtfWriter::ColorIndex(const QColor& color) {
    // The table holds 8 bits a channel and no alpha: colours alike in those share an entry.
    const QRgb rgb = color.toRgb().rgb() | 0xFF000000;
    auto it = colorIndex_.constFind(rgb);
    if (it == colorIndex_.cend()) {
        it = colorIndex_.insert(rgb, static_cast<int>(colors_.size()) + 1);
        colors_.append(rgb);
    }
    return it.value();
}

} // namespace

QByteArray WriteRtf(const QTextDocument& document) {
    return TRtfWriter(document).Write();
}
