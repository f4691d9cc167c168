#include "main/ChartReadout.h"

#include "model/Charts.h"
#include "model/DisplaySettings.h"
#include "model/Report.h"
#include "model/Shared.h"
#include "platform/Translation.h"
#include "report/Calendar.h"
#include "report/CoupleReport.h"
#include "widgets/Fonts.h"
#include "widgets/ImageCanvas.h"

#include <QColor>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>

#include <array>

namespace {

// Looks like the platform's tooltip, but stays for as long as the pointer is over its chart:
// Qt's own tooltip goes at the release of the very click that opened it.
class TReadoutLabel final : public QLabel {
public:
    explicit TReadoutLabel(QWidget* owner) : QLabel(owner, Qt::ToolTip) {
        setObjectName(QStringLiteral("ChartReadout"));
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setPalette(QToolTip::palette());
        setFont(RichTextFont());
        setTextFormat(Qt::RichText);
        setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
        setWindowOpacity(style()->styleHint(QStyle::SH_ToolTipLabel_Opacity, nullptr, this) /
                         255.0);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void Show(QWidget* chart, const QString& text, QPoint global) {
        Watch(chart);
        setText(text);
        adjustSize();
        // Below and right of the pointer, as tooltips go, but inside the screen.
        QPoint at = global + QPoint(2, 16);
        if (const QScreen* screen = chart->screen()) {
            const QRect area = screen->availableGeometry();
            if (at.x() + width() > area.right())
                at.setX(std::max(area.left(), global.x() - 2 - width()));
            if (at.y() + height() > area.bottom())
                at.setY(std::max(area.top(), global.y() - 4 - height()));
        }
        move(at);
        show();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
        case QEvent::Move:
            if (watched == chart_ || (chart_ && watched == chart_->window()))
                hide();
            break;
        default:
            break;
        }
        return QLabel::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent* event) override {
        QStylePainter painter(this);
        QStyleOptionFrame option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_PanelTipLabel, option);
        painter.end();
        QLabel::paintEvent(event);
    }

private:
    void Watch(QWidget* chart) {
        if (chart_ == chart)
            return;
        if (chart_) {
            chart_->removeEventFilter(this);
            chart_->window()->removeEventFilter(this);
        }
        chart_ = chart;
        chart->installEventFilter(this);
        chart->window()->installEventFilter(this);
    }

    QPointer<QWidget> chart_;
};

QPointer<TReadoutLabel> Readout;

// A line of the read-out with the person's name bold in the person's colour, the rest in the
// tooltip's own colour, which stays readable on its background.
QString Line(TColor color, const std::string& name, const std::string& text) {
    return QStringLiteral("<div>%1</div>")
        .arg(QString::fromStdString(text).toHtmlEscaped().replace(
            QLatin1String(ReadoutNameMark),
            QStringLiteral("<b style=\"color:%1\">%2</b>")
                .arg(QColor(ToQRgb(color)).name(), QString::fromStdString(name).toHtmlEscaped())));
}

// The read-out's rich text for a column of a chart `width` pixels wide; empty when the charts
// cannot be drawn.
QString ChartReadoutText(int chart, int x, int width, const std::string& coupleName) {
    const auto window = ChartWindow(Prognose.PrognoseDate);
    if (!window || chart < 0 || chart > 4)
        return {};
    const TDateTime day =
        window->FirstDay + static_cast<TDateTime>(DayPositionAt(width, x, *window) - 1);
    QString text = QStringLiteral("<b>%1</b>")
                       .arg(QString::fromStdString(Titled(LongDate(day).toStdString(), coupleName))
                                .toHtmlEscaped());
    for (const TReadoutLine& line :
         ReadoutLines(CoupleOf(Prognose), day, chart, DisplaySettings.Cycles(),
                      DisplaySettings.DisplayMode()))
        text +=
            Line((line.Man ? Prognose.Man : Prognose.Woman).Color, PersonName(line.Man), line.Text);
    return text;
}

} // namespace

void ShowChartReadout(QWidget* chartImage, int chart, QPoint at, const std::string& coupleName) {
    const QString text = ChartReadoutText(chart, at.x(), chartImage->width(), coupleName);
    if (text.isEmpty()) {
        HideChartReadout();
        return;
    }
    if (!Readout || Readout->parentWidget() != chartImage->window())
        Readout = new TReadoutLabel(chartImage->window());
    Readout->Show(chartImage, text, chartImage->mapToGlobal(at));
}

void HideChartReadout() {
    if (Readout)
        Readout->hide();
}

QLabel* ChartReadout() {
    return Readout;
}
