#pragma once

#include "base/Couples.h"

// The stored couples as the program reads them: names decoded as the "Language" entry is, dates
// in the program's stored form or the regional short form of this year.
TCoupleReading CoupleReading();
std::vector<TStoredCouple> StoredCouples(const TProfileFile& settings);
