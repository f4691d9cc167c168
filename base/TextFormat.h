#pragma once

#include <span>
#include <string>
#include <string_view>

// Fills the "%s" placeholders of a format text with the arguments in order; "%%" is a percent
// sign. Format texts may come from language files, so they never reach printf.
// Throws EProgramError "Нет аргумента для формата '...'" when a placeholder has no argument and
// "Формат '...' неверен или несовместим с аргументом" for any other placeholder, the first 31
// characters of the format standing in the message. Extra arguments are ignored.
std::string FormatText(std::string_view format, std::span<const std::string> args);
// The same for the program's own sentences: an argument that ends in a full stop ("1983 г.")
// stands for the full stop right after its placeholder too, so a sentence never ends in two.
std::string FormatSentences(std::string_view format, std::span<const std::string> args);

// The first n characters (code points) of a UTF-8 text; bytes of a broken sequence count as one.
std::string Utf8Prefix(std::string_view text, std::size_t n);
