#include "platform/Dates.h"

TDateTime ToDateTime(QDate date) {
    return EncodeDate(date.year(), static_cast<unsigned>(date.month()),
                      static_cast<unsigned>(date.day()))
        .value_or(0);
}
