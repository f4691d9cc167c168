#pragma once

#include <QByteArray>
#include <QString>

#include <string>

class QTextDocument;
class TDatalogging;

// The detail report on one person of the couple: the cycles on the prognosis date, their
// critical and especially unfavourable days in the chart window, the couple's compatibility and
// the nearest good and bad day. Read at the moment of the call: Prognose.PrognoseDate, the
// person's fields as the last update left them (the good and bad day as the panel shows them),
// the cycles in use and the current month names.

// "Подробная информация о мужчине" or "Подробная информация о женщине".
QString DetailReportCaption(bool man);

// Replaces the document's content with the report on `person` (the man when `man` is true),
// whose partner is `partner`; the heading and the title show `coupleName` (UTF-8) when the
// couple has one.
void WriteDetailReport(QTextDocument& document, const TDatalogging& person,
                       const TDatalogging& partner, bool man, const std::string& coupleName);

// The same report as RTF in code page 1251.
QByteArray DetailReportRtf(const TDatalogging& person, const TDatalogging& partner, bool man,
                           const std::string& coupleName);
