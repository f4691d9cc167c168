#pragma once

#include <QString>

#include <string>

class QDialog;
class QWidget;

// "File" → "Export to calendar": the critical, especially unfavourable, good and bad days of the
// persons the charts show, as an iCalendar file for the user's calendar program.

// Writes the calendar of the persons a display mode shows (ShownPersons), from Prognose as the
// last refresh left it: the charted months and `monthsAfter` months after them. The file is
// replaced only once it is completely written. Throws EProgramError "Не могу создать файл
// "<full path>". <reason>." when it cannot be: a folder that does not exist (none is made), a
// link that leads to no file, or a name of something other than a file. A named couple's name
// (UTF-8) names the calendar and ends each event's description.
void ExportCalendar(const QString& path, int monthsAfter, int displayMode,
                    const std::string& coupleName);

// The dialog that asks for the number of months after the charted ones, for tests: the spin
// box is "seMonthsAfter".
QDialog* NewCalendarMonthsDialog(QWidget* parent);

// The command: asks for the months and the file (".ics" is added when the name has no
// extension), then writes it; with nobody on the charts it says so and asks nothing.
void RunCalendarExport(QWidget* parent, const std::string& coupleName);
