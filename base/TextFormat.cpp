#include "base/TextFormat.h"

#include "base/TextTable.h"
#include "model/Error.h"

namespace {

// A message of the text table with its one "%s" replaced by the beginning of the format; not by
// FormatText, which reports its failures here. A translation without exactly one "%s" (and no
// other "%") gives way to the built-in message.
std::string Quoted(TTextKey key, std::string_view format) {
    const auto fits = [](std::string_view message) {
        const auto at = message.find('%');
        return message.substr(at == std::string_view::npos ? message.size() : at, 2) == "%s" &&
               message.find('%', at + 2) == std::string_view::npos;
    };
    std::string text = fits(TextOf(key)) ? TextOf(key) : std::string(key.Row().BuiltIn);
    text.replace(text.find("%s"), 2, Utf8Prefix(format, 31));
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

namespace {

std::string Format(std::string_view format, std::span<const std::string> args, bool sentences) {
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
                throw EProgramError(Quoted({"Messages", "NoFormatArgument"}, format));
            const std::string& arg = args[next++];
            result += arg;
            // "г." then "." but not "...": the argument's full stop ends the sentence.
            if (sentences && arg.ends_with('.') && format.substr(i + 2, 1) == "." &&
                format.substr(i + 3, 1) != ".")
                ++i;
        } else {
            throw EProgramError(Quoted({"Messages", "BadFormat"}, format));
        }
        ++i;
    }
    return result;
}

} // namespace

std::string FormatText(std::string_view format, std::span<const std::string> args) {
    return Format(format, args, false);
}

std::string FormatSentences(std::string_view format, std::span<const std::string> args) {
    return Format(format, args, true);
}
