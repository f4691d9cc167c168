#include "base/ControlCharacters.h"

std::string WithoutControlCharacters(std::string_view utf8) {
    std::string clean;
    clean.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
            continue;
        // U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
        if (byte == 0xC2 && i + 1 < utf8.size() &&
            (static_cast<unsigned char>(utf8[i + 1]) & 0xE0) == 0x80) {
            ++i;
            continue;
        }
        clean += utf8[i];
    }
    return clean;
}
