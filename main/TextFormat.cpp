#include "main/TextFormat.h"

#include "model/Error.h"

namespace {

std::string Quoted(std::string_view message, std::string_view format) {
    const std::string_view placeholder = "%s";
    std::string text(message);
    text.replace(text.find(placeholder), placeholder.size(), Utf8Prefix(format, 31));
    return text;
}

} // namespace

std::string Utf8Prefix(std::string_view text, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t count = 0; i < text.size() && count < n; ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC0 ? 2
                                            : 1;
        // Only take the continuation bytes that are really there.
        std::size_t j = 1;
        while (j < length && i + j < text.size() &&
               (static_cast<unsigned char>(text[i + j]) & 0xC0) == 0x80)
            ++j;
        i += j;
    }
    return std::string(text.substr(0, i));
}

std::string FormatText(std::string_view format, std::span<const std::string> args) {
    std::string result;
    result.reserve(format.size() + 32);
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            result += format[i];
            continue;
        }
        const char kind = i + 1 < format.size() ? format[i + 1] : '\0';
        if (kind == '%') {
            result += '%';
        } else if (kind == 's' || kind == 'S') {
            if (next >= args.size())
                throw EProgramError(Quoted("Нет аргумента для формата '%s'", format));
            result += args[next++];
        } else {
            throw EProgramError(Quoted("Формат '%s' неверен или несовместим с аргументом", format));
        }
        ++i;
    }
    return result;
}
