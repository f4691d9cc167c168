#include "viewer/RtfTokenizer.h"

#include <limits>

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

TRtfToken TRtfTokenizer::Next() {
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        switch (c) {
        case '{':
            ++pos_;
            return TRtfToken(TRtfToken::Kind::GroupStart);
        case '}':
            ++pos_;
            return TRtfToken(TRtfToken::Kind::GroupEnd);
        case '\\': {
            TRtfToken token = ReadControl();
            if (token.kind != TRtfToken::Kind::End)
                return token;
            continue; // a broken escape: nothing to report, read on
        }
        case '\r':
        case '\n':
        case '\0':
            ++pos_;
            continue;
        default: {
            const qsizetype start = pos_;
            while (pos_ < input_.size()) {
                const char t = input_[pos_];
                if (t == '{' || t == '}' || t == '\\' || t == '\r' || t == '\n' || t == '\0')
                    break;
                ++pos_;
            }
            TRtfToken token(TRtfToken::Kind::Text);
            token.data = input_.sliced(start, pos_ - start);
            return token;
        }
        }
    }
    return TRtfToken();
}

// After a backslash. Returns an End token for an escape that yields nothing.
TRtfToken TRtfTokenizer::ReadControl() {
    ++pos_; // the backslash
    if (pos_ >= input_.size())
        return TRtfToken();
    const char c = input_[pos_];
    if (IsLetter(c))
        return ReadControlWord();
    ++pos_;
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < input_.size() && HexValue(input_[pos_]) >= 0) {
            value = value * 16 + HexValue(input_[pos_]);
            ++pos_;
            ++digits;
        }
        if (digits < 2)
            return TRtfToken();
        TRtfToken token(TRtfToken::Kind::HexByte);
        token.byte = static_cast<unsigned char>(value);
        return token;
    }
    TRtfToken token(TRtfToken::Kind::ControlSymbol);
    token.symbol = c;
    return token;
}

TRtfToken TRtfTokenizer::ReadControlWord() {
    const qsizetype start = pos_;
    while (pos_ < input_.size() && IsLetter(input_[pos_]))
        ++pos_;
    TRtfToken token(TRtfToken::Kind::ControlWord);
    token.data = input_.sliced(start, std::min(pos_ - start, MaxWordLength + 1));

    const bool negative =
        pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1]);
    if (negative)
        ++pos_;
    if (pos_ < input_.size() && IsDigit(input_[pos_])) {
        // Saturate instead of overflowing: hostile files carry parameters of any length.
        constexpr long long limit = std::numeric_limits<int>::max();
        long long value = 0;
        while (pos_ < input_.size() && IsDigit(input_[pos_])) {
            if (value <= limit)
                value = value * 10 + (input_[pos_] - '0');
            ++pos_;
        }
        if (value > limit)
            value = limit;
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (pos_ < input_.size() && input_[pos_] == ' ')
        ++pos_; // the delimiter belongs to the word

    if (token.data == "bin") {
        // Raw bytes follow; they may hold braces and backslashes that mean nothing.
        const qsizetype length =
            token.parameter > 0 ? std::min<qsizetype>(token.parameter, input_.size() - pos_) : 0;
        TRtfToken binary(TRtfToken::Kind::Binary);
        binary.data = input_.sliced(pos_, length);
        pos_ += length;
        return binary;
    }
    return token;
}
