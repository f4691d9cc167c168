#pragma once

#include <QByteArrayView>

#include <optional>

// The control words the RTF reader acts on. Destinations come first: an ignorable group (\*)
// is read only when it names one of them.
enum class TRtfKeyword {
    FontTable,
    ColorTable,
    StyleSheet,
    Info,
    Title,
    ListText,
    ListProperties,
    Skipped,
    Unicode,
    // paragraphs
    Par,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    ListOverride,
    ListBullet,
    ListBody,
    ListContinue,
    ListDecimal,
    ListUpperAlpha,
    ListLowerAlpha,
    ListUpperRoman,
    ListLowerRoman,
    // character format
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Font,
    Color,
    Highlight,
    Superscript,
    Subscript,
    NoSuperSub,
    Hidden,
    // document
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    FontCharset,
    Red,
    Green,
    Blue,
};

constexpr bool IsDestination(TRtfKeyword keyword) {
    return keyword <= TRtfKeyword::Skipped;
}

std::optional<TRtfKeyword> FindRtfKeyword(QByteArrayView word);

// The character a control word stands for (\tab, \emdash and the like), or 0.
char16_t RtfWordCharacter(QByteArrayView word);
