#pragma once

#include <stdexcept>

// A failure with a message for the user (UTF-8, Russian like the rest of the program). It leaves
// the handler it happened in and is shown by the program's one error box.
class EProgramError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
