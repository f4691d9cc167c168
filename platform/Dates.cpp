#include "platform/Dates.h"

TDateTime ToDateTime(QDate date) {
    return EncodeDate(date.year(), static_cast<unsigned>(date.month()),
                      static_cast<unsigned>(date.day()))
        .value_or(0);
}

QDate ToQDate(TDateTime date) {
    const auto ymd = DecodeDate(date);
    return ymd ? QDate(int{ymd->year()}, static_cast<int>(unsigned{ymd->month()}),
                       static_cast<int>(unsigned{ymd->day()}))
               : QDate();
}
