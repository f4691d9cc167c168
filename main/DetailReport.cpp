#include "main/DetailReport.h"

#include "base/Vocabulary.h"
#include "model/DisplaySettings.h"
#include "model/Report.h"
#include "model/Shared.h"
#include "platform/Translation.h"
#include "report/CoupleReport.h"
#include "viewer/RtfWriter.h"

#include <QColor>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <array>
#include <string>
#include <vector>

namespace {

// In the order of CycleKind.
constexpr std::array<TTextKey, 4> PeriodTexts{{{"Report", "Period.Physical"},
                                               {"Report", "Period.Emotional"},
                                               {"Report", "Period.Intellectual"},
                                               {"Report", "Period.Heart"}}};

QString CycleLabel(CycleKind kind) {
    return QString::fromStdString(CycleName(kind));
}

QString Date(TDateTime date) {
    return LongDate(date);
}

QString Percent(std::int32_t tenths, bool withSign = false) {
    return QString::fromStdString(PercentText(tenths, withSign));
}

QString SpanDays(const TDaySpan& span) {
    if (span.Last == span.First)
        return Date(span.First);
    return Date(span.First) + QStringLiteral(" — ") + Date(span.Last);
}

QString SpanCycles(const TDaySpan& span) {
    std::vector<std::string> words;
    for (CycleKind kind : span.Cycles)
        words.push_back(CycleWord(kind));
    return QString::fromStdString(JoinWithAnd(words));
}

// Builds the report block by block in the style of the help document.
class TReportWriter {
public:
    explicit TReportWriter(QTextDocument& document) : cursor_(&document) {
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSize(10);
        document.setDefaultFont(font);

        body_.setFontFamilies({QStringLiteral("Tahoma")});
        body_.setFontPointSize(10);
        body_.setForeground(QColor(0, 51, 102));
        strong_ = body_;
        strong_.setFontWeight(QFont::Bold);
        subheading_ = strong_;
        subheading_.setForeground(QColor(128, 0, 0));
        heading_ = subheading_;
        heading_.setFontPointSize(12);
    }

    void Heading(const QString& text) { Title(text, heading_, Qt::AlignHCenter, 0, 8); }
    void Section(const QString& text) { Title(text, heading_, Qt::AlignLeft, 8, 8); }
    void Subsection(const QString& text) { Title(text, subheading_, Qt::AlignLeft, 4, 4); }

    void Paragraph(const QString& text, bool strong = false) {
        QTextBlockFormat format;
        format.setAlignment(Qt::AlignJustify);
        format.setBottomMargin(8);
        NewBlock(format, body_, false);
        cursor_.insertText(text, strong ? strong_ : body_);
    }

    // A bullet "label: value", the value in bold. Consecutive bullets form one list.
    void Bullet(const QString& label, const QString& value) {
        QTextBlockFormat format;
        format.setBottomMargin(3);
        NewBlock(format, body_, true);
        if (list_) {
            list_->add(cursor_.block());
        } else {
            QTextListFormat bullets;
            bullets.setStyle(QTextListFormat::ListDisc);
            bullets.setIndent(1);
            list_ = cursor_.createList(bullets);
        }
        cursor_.insertText(label + QStringLiteral(": "), body_);
        cursor_.insertText(value, strong_);
    }

private:
    void Title(const QString& text, const QTextCharFormat& chars, Qt::Alignment alignment, int top,
               int bottom) {
        QTextBlockFormat format;
        format.setAlignment(alignment);
        format.setTopMargin(top);
        format.setBottomMargin(bottom);
        NewBlock(format, chars, false);
        cursor_.insertText(text, chars);
    }

    void NewBlock(const QTextBlockFormat& format, const QTextCharFormat& chars, bool bullet) {
        if (first_) {
            cursor_.setBlockFormat(format);
            cursor_.setBlockCharFormat(chars);
            first_ = false;
        } else {
            cursor_.insertBlock(format, chars);
        }
        if (!bullet)
            list_ = nullptr;
    }

    QTextCursor cursor_;
    QTextList* list_ = nullptr;
    bool first_ = true;
    QTextCharFormat body_;
    QTextCharFormat strong_;
    QTextCharFormat subheading_;
    QTextCharFormat heading_;
};

// The report's sections, in the order they appear.

void WriteDates(TReportWriter& report, const QString& caption, const TDatalogging& person,
                TDateTime prognoseDate, const TPersonFigures& figures) {
    report.Heading(caption);
    report.Bullet(Tr({"Report", "BirthDate"}), Date(person.BirthDate));
    report.Bullet(Tr({"Report", "PrognoseDate"}), Date(prognoseDate));
    if (figures.Born)
        report.Bullet(Tr({"Report", "Age"}),
                      QStringLiteral("%1 (%2)").arg(CountText(person.AgeYears, false),
                                                    CountText(person.DaysLived, true)));
}

void WriteCycles(TReportWriter& report, const TPersonFigures& figures, bool man) {
    report.Section(Tr({"Report", "Cycles"}));
    if (figures.Born) {
        report.Paragraph(Tr({"Report", "Cycles.Text"}));
        for (const TCycleFigures& cycle : figures.Cycles) {
            const std::string_view trend = TrendWord(cycle.Trend);
            QString value = Percent(cycle.PercentTenths, true) + QStringLiteral(", ") +
                            QString::fromUtf8(trend.data(), static_cast<qsizetype>(trend.size()));
            if (!DisplaySettings.UseCycle(cycle.Kind))
                value += QStringLiteral(" (") + Tr({"Report", "NotShown"}) + QLatin1Char(')');
            report.Bullet(CycleLabel(cycle.Kind), value);
        }
    } else {
        report.Paragraph(man ? Tr({"Report", "Unborn.Man"}) : Tr({"Report", "Unborn.Woman"}));
    }
}

void WriteCriticalDays(TReportWriter& report, const TPersonFigures& figures) {
    report.Section(Tr({"Report", "CriticalDays"}));
    if (!figures.Window) {
        report.Paragraph(Tr({"Report", "NoCharts"}));
        return;
    }
    report.Paragraph(TrFormat({"Report", "CriticalDays.Text"},
                              {Date(figures.Window->FirstDay), Date(figures.Window->LastDay)}));
    for (const TCycleFigures& cycle : figures.Cycles) {
        QStringList days;
        for (TDateTime day : cycle.CriticalDays)
            days << Date(day);
        report.Bullet(CycleLabel(cycle.Kind), days.isEmpty() ? Tr({"Report", "CriticalDays.None"})
                                                             : days.join(QStringLiteral(", ")));
    }

    report.Subsection(Tr({"Report", "Unfavourable"}));
    report.Paragraph(Tr({"Report", "Unfavourable.Text"}));
    if (figures.Unfavourable.empty())
        report.Paragraph(Tr({"Report", "Unfavourable.None"}));
    for (const TDaySpan& span : figures.Unfavourable)
        report.Bullet(SpanDays(span), SpanCycles(span));
}

// The days good and hard for both over the charted months, by the cycles in use.
void WriteBothDays(TReportWriter& report, const TCouple& couple, const TPersonFigures& figures) {
    if (!figures.Window)
        return;
    report.Subsection(Tr({"Report", "BothDays"}));
    report.Paragraph(TrFormat({"Report", "BothDays.Text"},
                              {Date(figures.Window->FirstDay), Date(figures.Window->LastDay)}));
    const std::vector<TCoupleDay> days = CoupleDays(
        couple, DisplaySettings.Cycles(), figures.Window->FirstDay, figures.Window->LastDay);
    for (const bool good : {true, false})
        report.Bullet(QString::fromStdString(BothDaysLabel(good)),
                      QString::fromStdString(BothDaysText(days, good)));
}

void WriteCompatibility(TReportWriter& report, const TDatalogging& person,
                        const TDatalogging& partner) {
    report.Section(Tr({"Report", "Compatibility"}));
    const TCompatibility compatibility = CoupleCompatibility(person.BirthDate, partner.BirthDate);
    report.Paragraph(
        TrFormat({"Report", "Compatibility.Text"}, {CountText(compatibility.DaysApart, true)}));
    report.Paragraph(Tr({"Report", "Compatibility.Formula"}));
    for (CycleKind kind : AllCycles) {
        const auto i = static_cast<std::size_t>(kind);
        report.Bullet(CycleLabel(kind) + QStringLiteral(" (") +
                          TrFormat({"Report", "Period"}, {Tr(PeriodTexts[i])}) + QLatin1Char(')'),
                      Percent(compatibility.PercentTenths[i]));
    }
    if (compatibility.MeanTenths)
        report.Paragraph(
            TrFormat({"Report", "Compatibility.Mean"}, {Percent(*compatibility.MeanTenths)}), true);
}

void WriteNearestDays(TReportWriter& report, const TDatalogging& person) {
    report.Section(Tr({"Report", "Nearest"}));
    report.Paragraph(Tr({"Report", "Nearest.Text"}));
    report.Bullet(Tr({"Report", "GoodDay"}), FoundDay(person.GoodDay));
    report.Bullet(Tr({"Report", "BadDay"}), FoundDay(person.BadDay));
}

} // namespace

QString DetailReportCaption(bool man) {
    return man ? Tr({"Report", "Caption.Man"}) : Tr({"Report", "Caption.Woman"});
}

void WriteDetailReport(QTextDocument& document, const TDatalogging& person,
                       const TDatalogging& partner, bool man, const std::string& coupleName) {
    document.clear();
    const QString caption =
        QString::fromStdString(Titled(DetailReportCaption(man).toStdString(), coupleName));
    document.setMetaInformation(QTextDocument::DocumentTitle, caption);
    const TDateTime prognoseDate = Prognose.PrognoseDate;
    const TPersonFigures figures = PersonFigures(person.BirthDate, prognoseDate);
    TReportWriter report(document);

    WriteDates(report, caption, person, prognoseDate, figures);
    WriteCycles(report, figures, man);
    WriteCriticalDays(report, figures);
    WriteCompatibility(report, person, partner);
    const TDatalogging& him = man ? person : partner;
    const TDatalogging& her = man ? partner : person;
    WriteBothDays(report, {him.BirthDate, her.BirthDate}, figures);
    WriteNearestDays(report, person);
}

QByteArray DetailReportRtf(const TDatalogging& person, const TDatalogging& partner, bool man,
                           const std::string& coupleName) {
    QTextDocument document;
    WriteDetailReport(document, person, partner, man, coupleName);
    return WriteRtf(document);
}
