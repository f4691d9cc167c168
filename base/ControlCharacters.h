#pragma once

#include <string>
#include <string_view>

// A text from a file without its control characters: every C0 control but the tab, DEL, and
// every C1 control (U+0080 to U+009F). A NUL cuts a line for C readers, and an escape sequence
// printed to a terminal drives the terminal. `utf8` is UTF-8; other bytes are kept as they are.
std::string WithoutControlCharacters(std::string_view utf8);
