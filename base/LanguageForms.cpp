#include "base/LanguageForms.h"

#include "base/Vocabulary.h"
#include "model/Report.h"
#include "model/Shared.h"

#include <utility>

namespace {

TLanguageForms BuiltIn() {
    return {LongDateText,
            CountWithWord,
            TenthsText,
            [](std::int32_t number) { return std::to_string(number); },
            {}};
}

TLanguageForms& Forms() {
    static TLanguageForms forms = BuiltIn();
    return forms;
}

} // namespace

void InstallLanguageForms(TLanguageForms forms) {
    Forms() = std::move(forms);
}

std::string LongDateForm(TDateTime date) {
    return Forms().LongDate(date);
}

std::string CountForm(std::int32_t number, bool days) {
    return Forms().Count(number, days);
}

std::string DecimalForm(std::int32_t tenths) {
    return Forms().Decimal(tenths);
}

std::string IntegerForm(std::int32_t number) {
    return Forms().Integer(number);
}

std::string ShortDateForm(TDateTime date) {
    return ShortDateText(date, Forms().ShortDate);
}

std::string FoundDayForm(TDateTime day) {
    return day == 0 ? std::string("—") : LongDateForm(day);
}
