#include "main/DetailReport.h"

#include "main/Vocabulary.h"
#include "model/Report.h"
#include "model/Shared.h"
#include "settings/DisplaySettings.h"
#include "viewer/RtfWriter.h"

#include <QColor>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <array>

namespace {

const std::array<QString, 4> CycleNames{
    QStringLiteral("Физический"), QStringLiteral("Эмоциональный"),
    QStringLiteral("Интеллектуальный"), QStringLiteral("Сердечный")};

const std::array<QString, 4> PeriodTexts{QStringLiteral("23,6884 дня"),
                                         QStringLiteral("28,4261 дня"),
                                         QStringLiteral("33,1638 дня"), QStringLiteral("38 дней")};

QString CycleName(CycleKind kind) {
    return CycleNames[static_cast<std::size_t>(kind)];
}

QString Date(TDateTime date) {
    return QString::fromStdString(LongDateText(date));
}

// A no-break space keeps the per cent sign on the line of its number.
QString Percent(std::int32_t tenths, bool signed_ = false) {
    const QString sign = signed_ && tenths > 0 ? QStringLiteral("+") : QString();
    return sign + QString::fromStdString(TenthsText(tenths)) + QStringLiteral("\u00A0%");
}

// "a", "a и b", "a, b и c".
QString JoinWithAnd(const QStringList& items) {
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" и ") +
           items.back();
}

QString SpanDays(const TDaySpan& span) {
    if (span.Last == span.First)
        return Date(span.First);
    return Date(span.First) + QStringLiteral(" — ") + Date(span.Last);
}

QString SpanCycles(const TDaySpan& span) {
    QStringList cycles;
    for (CycleKind kind : span.Cycles)
        cycles << CycleName(kind).toLower();
    return JoinWithAnd(cycles);
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

} // namespace

QString DetailReportCaption(bool man) {
    return man ? QStringLiteral("Подробная информация о мужчине")
               : QStringLiteral("Подробная информация о женщине");
}

void WriteDetailReport(QTextDocument& document, const TDatalogging& person,
                       const TDatalogging& partner, bool man) {
    document.clear();
    const QString caption = DetailReportCaption(man);
    document.setMetaInformation(QTextDocument::DocumentTitle, caption);
    const TDateTime prognoseDate = Prognose.PrognoseDate;
    const TPersonFigures figures = PersonFigures(person.BirthDate, prognoseDate);
    TReportWriter report(document);

    report.Heading(caption);
    report.Bullet(QStringLiteral("Дата рождения"), Date(person.BirthDate));
    report.Bullet(QStringLiteral("Дата прогноза"), Date(prognoseDate));
    if (figures.Born)
        report.Bullet(QStringLiteral("Возраст"),
                      QStringLiteral("%1 (%2)").arg(
                          QString::fromStdString(CountWithWord(person.AgeYears, false)),
                          QString::fromStdString(CountWithWord(person.DaysLived, true))));

    report.Section(QStringLiteral("Биоритмы на дату прогноза"));
    if (figures.Born) {
        report.Paragraph(QStringLiteral(
            "Значение цикла дано в процентах от его размаха: 100\u00A0% — вершина подъёма, "
            "-100\u00A0% — самый глубокий спад, 0\u00A0% — переход через ноль. Цикл растёт, если "
            "на следующий день "
            "его значение выше, и убывает, если ниже."));
        for (const TCycleFigures& cycle : figures.Cycles) {
            QString value = Percent(cycle.PercentTenths, true) +
                            (cycle.Trend == CycleTrend::Rising ? QStringLiteral(", растёт")
                                                               : QStringLiteral(", убывает"));
            if (!DisplaySettings.UseCycle(cycle.Kind))
                value += QStringLiteral(" (не показан на графиках)");
            report.Bullet(CycleName(cycle.Kind), value);
        }
    } else {
        report.Paragraph(man ? QStringLiteral("На дату прогноза мужчина ещё не родился: циклы "
                                              "начинаются в день рождения.")
                             : QStringLiteral("На дату прогноза женщина ещё не родилась: циклы "
                                              "начинаются в день рождения."));
    }

    report.Section(QStringLiteral("Критические дни"));
    if (figures.Window) {
        report.Paragraph(
            QStringLiteral("Критический день — день, когда цикл переходит через ноль: его значение "
                           "равно нулю или сменило знак по сравнению с предыдущим днём. День "
                           "рождения — критический день всех циклов. Указаны дни с %1 по %2")
                .arg(Date(figures.Window->FirstDay), Date(figures.Window->LastDay)));
        for (const TCycleFigures& cycle : figures.Cycles) {
            QStringList days;
            for (TDateTime day : cycle.CriticalDays)
                days << Date(day);
            report.Bullet(CycleName(cycle.Kind),
                          days.isEmpty() ? QStringLiteral("нет") : days.join(QStringLiteral(", ")));
        }

        report.Subsection(QStringLiteral("Особо неблагоприятные дни"));
        report.Paragraph(QStringLiteral(
            "Дни, когда два цикла или больше переходят через ноль почти одновременно, с разницей "
            "не больше одного дня. Учитываются циклы, показанные на графиках."));
        if (figures.Unfavourable.empty())
            report.Paragraph(QStringLiteral("В эти два месяца таких дней нет."));
        for (const TDaySpan& span : figures.Unfavourable)
            report.Bullet(SpanDays(span), SpanCycles(span));
    } else {
        report.Paragraph(QStringLiteral(
            "Для этой даты прогноза графики не строятся, поэтому критические дни не указаны."));
    }

    report.Section(QStringLiteral("Совместимость пары"));
    const TCompatibility compatibility = CoupleCompatibility(person.BirthDate, partner.BirthDate);
    report.Paragraph(
        QStringLiteral("Чем ближе циклы двоих совпадают по фазе, тем выше совместимость: "
                       "100\u00A0%, если между датами рождения целое число периодов цикла, и "
                       "0\u00A0%, если "
                       "половина периода. Между датами рождения мужчины и женщины %1.")
            .arg(QString::fromStdString(CountWithWord(compatibility.DaysApart, true))));
    report.Paragraph(QStringLiteral("Совместимость = 100 × (1 + cos(2π·d / p)) / 2\u00A0%, где d — "
                                    "число дней между датами рождения, p — период цикла в днях."));
    for (CycleKind kind : AllCycles) {
        const auto i = static_cast<std::size_t>(kind);
        report.Bullet(CycleName(kind) + QStringLiteral(" (период %1)").arg(PeriodTexts[i]),
                      Percent(compatibility.PercentTenths[i]));
    }
    if (compatibility.MeanTenths)
        report.Paragraph(QStringLiteral("Средняя совместимость по циклам, показанным на "
                                        "графиках: %1")
                             .arg(Percent(*compatibility.MeanTenths)),
                         true);

    report.Section(QStringLiteral("Ближайшие дни"));
    report.Paragraph(QStringLiteral(
        "Хороший день — ближайший пик суммы циклов, показанных на графиках, плохой — ближайший "
        "спад; они ищутся до конца второго месяца графиков. Прочерк значит, что такого дня в эти "
        "месяцы нет."));
    report.Bullet(QStringLiteral("Ближайший хороший день"),
                  QString::fromStdString(FoundDayText(person.GoodDay)));
    report.Bullet(QStringLiteral("Ближайший плохой день"),
                  QString::fromStdString(FoundDayText(person.BadDay)));
}

QByteArray DetailReportRtf(const TDatalogging& person, const TDatalogging& partner, bool man) {
    QTextDocument document;
    WriteDetailReport(document, person, partner, man);
    return WriteRtf(document);
}
