#include "main/Fonts.h"
#include "main/ImageCanvas.h"
#include "model/Charts.h"
#include "model/Shared.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

bool HaveDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

TDateTime ToDateTime(const QDate& date) {
    return EncodeDate(date.year(), static_cast<unsigned>(date.month()),
                      static_cast<unsigned>(date.day()))
        .value_or(0);
}

} // namespace

int main(int argc, char* argv[]) {
    if (!HaveDisplay()) {
        std::fputs("orvanta: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "to see it anyway, run it under xvfb-run.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    RegisterBundledFonts();

    Prognose.SetPrognoseDate(ToDateTime(QDate::currentDate()));
    Prognose.Man.SetBirthDate(*EncodeDate(1982, 12, 23));
    Prognose.Woman.SetBirthDate(*EncodeDate(1983, 9, 29));
    Prognose.UpdateAll();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Орванта 3.3"));
    auto* layout = new QVBoxLayout(&window);
    for (int chart = 0; chart < 5; ++chart) {
        QImage image(580, 80, QImage::Format_RGB32);
        {
            TImageCanvas canvas(image);
            DrawChartGrid(canvas);
            for (const TDatalogging* person : {&Prognose.Man, &Prognose.Woman}) {
                if (chart < 4)
                    DrawCycleCurve(*person, canvas, CycleFactors[static_cast<std::size_t>(chart)]);
                else
                    DrawAverageCurve(*person, canvas);
            }
        }
        auto* label = new QLabel(&window);
        label->setPixmap(QPixmap::fromImage(image));
        layout->addWidget(label);
    }
    window.show();
    return app.exec();
}
