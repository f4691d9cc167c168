#include "base/TextTable.h"

#include "base/TextFormat.h"

#include <exception>
#include <vector>

namespace {

// A row given twice would be translated by the first only.
consteval bool RowsAreUnique() {
    for (std::size_t i = 0; i < TextTable.size(); ++i)
        for (std::size_t j = i + 1; j < TextTable.size(); ++j)
            if (TextTable[i].Section == TextTable[j].Section &&
                TextTable[i].Key == TextTable[j].Key)
                return false;
    return true;
}
static_assert(RowsAreUnique(), "a row of TextTable is given twice");

std::vector<std::string> BuiltInTexts() {
    std::vector<std::string> builtIn;
    for (const TTextRow& row : TextTable)
        builtIn.emplace_back(row.BuiltIn);
    return builtIn;
}

std::vector<std::string>& Texts() {
    static std::vector<std::string> texts = BuiltInTexts();
    return texts;
}

} // namespace

const std::string& TextOf(TTextKey key) {
    return Texts()[key.Index()];
}

std::string FormatTextOf(TTextKey key, std::span<const std::string> args) {
    try {
        return FormatSentences(TextOf(key), args);
    } catch (const std::exception&) {
        return FormatSentences(key.Row().BuiltIn, args);
    }
}

std::string FormatTextOf(TTextKey key, std::initializer_list<std::string> args) {
    return FormatTextOf(key, std::span<const std::string>(args.begin(), args.size()));
}

void InstallTexts(const TProfileFile& file) {
    std::vector<std::string>& texts = Texts();
    for (std::size_t i = 0; i < TextTable.size(); ++i)
        texts[i] = file.Read(TextTable[i].Section, TextTable[i].Key, TextTable[i].BuiltIn);
}

void InstallBuiltInTexts() {
    Texts() = BuiltInTexts();
}
