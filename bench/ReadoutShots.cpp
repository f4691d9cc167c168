// Not a Google Benchmark program: scripts/readout-shots.sh runs it under Xvfb to photograph the
// chart read-out on every chart, for one person and for both.
#include "main/Application.h"
#include "main/ChartReadout.h"
#include "main/MainUnit.h"
#include "model/DisplaySettings.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCursor>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: orvanta_readout_shots <folder for the pictures>\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    PrepareApplication();
    const QTemporaryDir folder;
    const auto form = std::make_unique<TMainForm>();
    ProgramFolder = folder.path() + QLatin1Char('/');
    form->SetSettingsForm(new TSettingsForm(form.get()));
    form->show();
    form->move(20, 20);
    if (!QTest::qWaitForWindowExposed(form.get()))
        return 1;
    form->findChild<QDateEdit*>(QStringLiteral("dtpPrognoseDate"))->setDate(QDate(2009, 1, 5));

    // Each chart at a different day, so that the pictures show the read-out moving along.
    const int columns[5] = {54, 180, 306, 432, 540};
    for (const int mode : {2, 0}) {
        DisplaySettings.SetDisplayMode(mode);
        for (int chart = 0; chart < 5; ++chart) {
            TChartImage* image = form->Chart(chart);
            const QPoint at(columns[chart], 30);
            QCursor::setPos(image->mapToGlobal(at));
            QTest::qWait(50);
            form->imPhysicalMouseDown(image, Qt::LeftButton, at.x(), at.y());
            QTest::qWait(200);
            const QRect area = form->frameGeometry().united(ChartReadout()->geometry());
            const QPixmap shot =
                form->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            const QString name = QStringLiteral("%1/readout-%2-chart%3.png")
                                     .arg(out, mode == 0 ? "both" : "man")
                                     .arg(chart + 1);
            if (!shot.save(name)) {
                std::fprintf(stderr, "cannot save %s\n", qPrintable(name));
                return 1;
            }
            std::printf("%s\n", qPrintable(name));
        }
    }
    form->hide();
    return 0;
}
