#pragma once

#include "model/DateTime.h"

#include <QDate>

// A date of Qt's as the model's day number; 0 for a date the model has none for.
TDateTime ToDateTime(QDate date);
// The model's day as a date of Qt's; an invalid date for a value that is no date of years
// 1..9999.
QDate ToQDate(TDateTime date);
