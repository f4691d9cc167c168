// Any format text with up to three arguments gives a text or one of the two format errors.
#include "base/TextFormat.h"
#include "fuzz/FuzzCheck.h"
#include "model/Error.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

// A UTF-8 text that is valid stays valid when cut.
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t j = 1; j < length; ++j)
            if ((static_cast<unsigned char>(text[i + j]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> args(input.ConsumeIntegralInRange(0, 3));
    for (std::string& arg : args)
        arg = input.ConsumeRandomLengthString(32);
    const std::string format = input.ConsumeRemainingBytesAsString();

    const std::string prefix = Utf8Prefix(format, 31);
    FUZZ_CHECK(std::string_view(format).starts_with(prefix));
    if (IsValidUtf8(format))
        FUZZ_CHECK(IsValidUtf8(prefix));

    try {
        const std::string text = FormatText(format, args);
        if (format.find('%') == std::string::npos)
            FUZZ_CHECK(text == format);
    } catch (const EProgramError& error) {
        // what() is a C string: a NUL in the format ends the message there.
        const auto asMessage = [](const std::string& text) { return std::string(text.c_str()); };
        const std::string message = error.what();
        FUZZ_CHECK(message == asMessage("Нет аргумента для формата '" + prefix + "'") ||
                   message ==
                       asMessage("Формат '" + prefix + "' неверен или несовместим с аргументом"));
    }
    // Anything else thrown escapes and is a finding.
    return 0;
}
