#pragma once

#include "model/DateTime.h"

#include <QDate>

// A date of Qt's as the model's day number; 0 for a date the model has none for.
TDateTime ToDateTime(QDate date);
