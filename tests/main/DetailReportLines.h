#pragma once

#include "main/DetailReport.h"
#include "model/Shared.h"

#include <QStringList>
#include <QTextDocument>

// The detail report of the man or the woman of Prognose, a paragraph or list item a line, as
// plain text (its no-break spaces are blanks there).
inline QStringList DetailReportLines(bool man, const std::string& coupleName = {}) {
    QTextDocument document;
    WriteDetailReport(document, man ? Prognose.Man : Prognose.Woman,
                      man ? Prognose.Woman : Prognose.Man, man, coupleName);
    return document.toPlainText().split(QLatin1Char('\n'));
}
