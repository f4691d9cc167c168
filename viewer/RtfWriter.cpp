#include "viewer/RtfWriter.h"

#include "viewer/RtfCodePage.h"

#include <QColor>
#include <QTextBlock>
#include <QTextList>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double TwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch

QByteArray Twips(qreal pixels) {
    return QByteArray::number(std::lround(std::clamp<qreal>(pixels, -2112, 2112) * TwipsPerPixel));
}

// Long lines are broken before a space or an escape, where a line break means nothing.
constexpr qsizetype LineLength = 100;

// A character as RTF: ASCII as is, code page 1251 as \'hh, everything else as \uN with a "?"
// for readers that know no Unicode.
void AppendCharacter(QByteArray& out, char16_t ch) {
    switch (ch) {
    case u'\\':
    case u'{':
    case u'}':
        out += '\\';
        out += static_cast<char>(ch);
        return;
    case u'\t':
        out += "\\tab ";
        return;
    case QChar::LineSeparator:
        out += "\\line ";
        return;
    case QChar::Nbsp:
        out += "\\~";
        return;
    case QChar::SoftHyphen:
        out += "\\-";
        return;
    case u'\u2011':
        out += "\\_";
        return;
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
        out += static_cast<char>(ch);
        return;
    }
    if (const int byte = EncodeCp1251(ch); byte >= 0) {
        out += "\\'";
        out += QByteArray::number(byte, 16).rightJustified(2, '0');
        return;
    }
    out += "\\u";
    out += QByteArray::number(static_cast<int16_t>(ch));
    out += '?';
}

void AppendText(QByteArray& out, QStringView text) {
    qsizetype lineStart = out.lastIndexOf('\n') + 1;
    for (const QChar ch : text) {
        const bool breakable = ch == u' ' || ch.unicode() >= 0x80;
        if (breakable && out.size() - lineStart >= LineLength) {
            out += "\r\n";
            lineStart = out.size();
        }
        AppendCharacter(out, ch.unicode());
    }
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
    QList<QColor> colors_; // entry 0 of the table is the automatic colour, so index + 1
    QByteArray body_;
};

QByteArray TRtfWriter::Write() {
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        WriteBlock(block);
        if (block.next().isValid())
            body_ += "\\par\r\n";
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1\r\n{\\fonttbl";
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset204 ";
        AppendText(out, QString(fonts_[i]).remove(u';'));
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const QColor& color : std::as_const(colors_)) {
        out += "\\red" + QByteArray::number(color.red()) + "\\green" +
               QByteArray::number(color.green()) + "\\blue" + QByteArray::number(color.blue()) +
               ';';
    }
    out += "}\r\n";
    const QString title = document_.metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty()) {
        out += "{\\info{\\title ";
        AppendText(out, title);
        out += "}}\r\n";
    }
    out += body_;
    out += "}\r\n";
    return out;
}

void TRtfWriter::WriteBlock(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    const QTextList* list = block.textList();
    body_ += "\\pard";
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        body_ += "\\qc";
    else if (alignment & Qt::AlignRight)
        body_ += "\\qr";
    else if (alignment & Qt::AlignJustify)
        body_ += "\\qj";

    const qreal indentWidth = document_.indentWidth();
    qreal indentSteps = format.indent();
    if (list)
        indentSteps += list->format().indent();
    const qreal left = format.leftMargin() + indentSteps * indentWidth;
    // A list marker hangs in the step before the text.
    const qreal first = list ? -indentWidth : format.textIndent();
    if (left != 0)
        body_ += "\\li" + Twips(left);
    if (first != 0)
        body_ += "\\fi" + Twips(first);
    if (format.rightMargin() != 0)
        body_ += "\\ri" + Twips(format.rightMargin());
    if (format.topMargin() > 0)
        body_ += "\\sb" + Twips(format.topMargin());
    if (format.bottomMargin() > 0)
        body_ += "\\sa" + Twips(format.bottomMargin());

    // The paragraph mark's own format, which sizes an empty line.
    body_ += "\\plain";
    WriteCharFormat(block.charFormat());
    if (list)
        WriteListMarker(block, *list);

    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        body_ += "{\\plain";
        WriteCharFormat(fragment.charFormat());
        body_ += ' ';
        AppendText(body_, fragment.text());
        body_ += '}';
    }
}

void TRtfWriter::WriteListMarker(const QTextBlock& block, const QTextList& list) {
    const QTextListFormat::Style style = list.format().style();
    const char* word = PnStyleWord(style);
    body_ += "{\\pntext ";
    if (word)
        AppendText(body_, list.itemText(block));
    else
        body_ += "\\'95";
    body_ += "\\tab}{\\*\\pn";
    if (word)
        body_ += QByteArray("\\pnlvlbody") + word + "\\pnstart1{\\pntxta .}";
    else
        body_ += "\\pnlvlblt{\\pntxtb \\'95}";
    body_ += '}';
}

void TRtfWriter::WriteCharFormat(const QTextCharFormat& format) {
    const QString family = format.fontFamilies().toStringList().value(0);
    body_ += "\\f" + QByteArray::number(family.isEmpty() ? 0 : FontIndex(family));

    qreal points = format.fontPointSize();
    if (points <= 0)
        points = document_.defaultFont().pointSizeF();
    if (points <= 0)
        points = 12;
    body_ += "\\fs" + QByteArray::number(std::lround(std::clamp<qreal>(points, 0.5, 1638) * 2));

    if (format.fontWeight() >= QFont::DemiBold)
        body_ += "\\b";
    if (format.fontItalic())
        body_ += "\\i";
    if (format.fontUnderline())
        body_ += "\\ul";
    if (format.fontStrikeOut())
        body_ += "\\strike";
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        body_ += "\\super";
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        body_ += "\\sub";
    if (const QBrush brush = format.foreground(); brush.style() != Qt::NoBrush)
        body_ += "\\cf" + QByteArray::number(ColorIndex(brush.color()));
    if (const QBrush brush = format.background(); brush.style() != Qt::NoBrush)
        body_ += "\\highlight" + QByteArray::number(ColorIndex(brush.color()));
}

int TRtfWriter::FontIndex(const QString& family) {
    qsizetype index = fonts_.indexOf(family);
    if (index < 0) {
        index = fonts_.size();
        fonts_.append(family);
    }
    return static_cast<int>(index);
}

int TRtfWriter::ColorIndex(const QColor& color) {
    const QColor rgb = color.toRgb();
    qsizetype index = colors_.indexOf(rgb);
    if (index < 0) {
        index = colors_.size();
        colors_.append(rgb);
    }
    return static_cast<int>(index) + 1;
}

} // namespace

QByteArray WriteRtf(const QTextDocument& document) {
    return TRtfWriter(document).Write();
}
