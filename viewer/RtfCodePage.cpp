#include "viewer/RtfCodePage.h"

#include <QHash>

#include <array>

namespace {

// The names the system's converter knows the Windows code pages by.
QByteArray ConverterName(int codePage) {
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 866:
        return "IBM866";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 10007:
        return "x-mac-cyrillic";
    case 65001:
        return "UTF-8";
    default:
        if (codePage == 874 || (codePage >= 1250 && codePage <= 1258))
            return "windows-" + QByteArray::number(codePage);
        return {};
    }
}

// Characters above 0x7F of code page 1251 with their bytes, taken from the system's converter
// once rather than typed in by hand.
QHash<char16_t, unsigned char> BuildCp1251Table() {
    QHash<char16_t, unsigned char> table;
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        return table;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char c = static_cast<char>(byte);
        const QString decoded = decoder.decode(QByteArrayView(&c, 1));
        decoder.resetState();
        if (decoded.size() != 1)
            continue;
        const char16_t ch = decoded.at(0).unicode();
        // Unassigned bytes come back as C1 controls or the replacement character.
        if ((ch >= 0x80 && ch <= 0x9F) || ch == QChar::ReplacementCharacter)
            continue;
        table.insert(ch, static_cast<unsigned char>(byte));
    }
    return table;
}

} // namespace

int CodePageForCharset(int charset) {
    static constexpr std::array<std::pair<int, int>, 18> table{{
        {0, 1252},
        {77, 10000},
        {128, 932},
        {129, 949},
        {134, 936},
        {136, 950},
        {161, 1253},
        {162, 1254},
        {163, 1258},
        {177, 1255},
        {178, 1256},
        {186, 1257},
        {204, 1251},
        {222, 874},
        {238, 1250},
        {254, 437},
        {255, 850},
        {89, 10007},
    }};
    for (const auto& [set, codePage] : table) {
        if (set == charset)
            return codePage;
    }
    return 0;
}

QString TRtfTextDecoder::Decode(QByteArrayView bytes, int codePage) {
    auto it = decoders_.find(codePage);
    if (it == decoders_.end()) {
        const QByteArray name = ConverterName(codePage);
        it = decoders_
                 .emplace(codePage,
                          name.isEmpty() ? QStringDecoder() : QStringDecoder(name.constData()))
                 .first;
    }
    QStringDecoder& decoder = it->second;
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    QString text = decoder.decode(bytes);
    decoder.resetState(); // a cut multi-byte sequence must not leak into the next run
    return text;
}

int EncodeCp1251(char16_t ch) {
    if (ch < 0x80)
        return ch;
    static const QHash<char16_t, unsigned char> table = BuildCp1251Table();
    const auto it = table.constFind(ch);
    return it == table.constEnd() ? -1 : *it;
}
