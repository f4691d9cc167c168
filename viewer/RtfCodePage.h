#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

// The Windows code page a font character set (\fcharsetN) stands for; 0 when the character set
// names none (the default and OEM sets) and the document's code page applies.
int CodePageForCharset(int charset);

// Decodes 8-bit RTF text by Windows code page number. Each reader keeps its own, so decoders are
// opened once per code page and never shared between threads.
class TRtfTextDecoder {
public:
    // Unknown or unsupported code pages decode as Latin-1, which is close to 1252.
    QString Decode(QByteArrayView bytes, int codePage);

private:
    std::map<int, QStringDecoder> decoders_;
};

// The byte of a character in code page 1251, or -1 when the code page has none for it.
int EncodeCp1251(char16_t ch);
