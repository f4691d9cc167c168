#pragma once

#include <QByteArrayView>

// One lexical unit of RTF.
struct TRtfToken {
    enum class Kind {
        End,           // no more input
        GroupStart,    // {
        GroupEnd,      // }
        ControlWord,   // \name or \nameN; name in data
        ControlSymbol, // \ followed by one non-letter, in symbol
        HexByte,       // \'hh, in byte
        Text,          // a run of plain bytes, in data
        Binary,        // the data of \binN
    };

    explicit TRtfToken(Kind tokenKind = Kind::End) : kind(tokenKind) {}

    Kind kind;
    QByteArrayView data;
    bool hasParameter = false;
    int parameter = 0;
    char symbol = 0;
    unsigned char byte = 0;
};

// Splits RTF into tokens without ever looking back or nesting, so no input can make it recurse
// or read past the end. Line breaks in the text are dropped, as RTF wants.
class TRtfTokenizer {
public:
    // Control word names are at most this long; longer ones are cut and never match a known word.
    static constexpr qsizetype MaxWordLength = 32;

    explicit TRtfTokenizer(QByteArrayView input) : input_(input) {}

    TRtfToken Next();

private:
    TRtfToken ReadControl();
    TRtfToken ReadControlWord();

    QByteArrayView input_;
    qsizetype pos_ = 0;
};
