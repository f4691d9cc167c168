#include "base/ControlCharacters.h"

std::string WithoutControlCharacters(std::string_view utf8) {
    std::string clean;
    clean.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
            continue;
        // U+0080 to U+009F are C2 80 to C2 9F in UTF-8. Matched against what is kept, so that a
        // control removed from between the two bytes never leaves one behind: cleaning again
        // finds nothing.
        if ((byte & 0xE0) == 0x80 && !clean.empty() && clean.back() == '\xC2') {
            clean.pop_back();
            continue;
        }
        clean += c;
    }
    return clean;
}
