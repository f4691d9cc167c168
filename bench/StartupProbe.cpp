// Starts the program as it starts for a user and reports, once the main window has been mapped
// and painted, the time since the launcher's clock reading (ORVANTA_LAUNCH_NS, nanoseconds of
// CLOCK_REALTIME taken just before exec) and the peak resident memory; then quits. With
// "--beside" it starts from its own folder, as the program does (the settings file named after
// the probe's file, the languages in "Language/" there); otherwise from an empty folder.
#include "main/Application.h"
#include "main/MainUnit.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string_view>

namespace {

double MillisecondsSinceLaunch() {
    const char* launch = std::getenv("ORVANTA_LAUNCH_NS");
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long double nowNs = static_cast<long double>(now.tv_sec) * 1e9L + now.tv_nsec;
    return launch ? static_cast<double>((nowNs - std::strtold(launch, nullptr)) / 1e6L) : -1;
}

class PaintProbe : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // Report after this paint has finished.
            QTimer::singleShot(0, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("startup_ms %.1f peak_rss_mib %.1f\n", MillisecondsSinceLaunch(),
                            usage.ru_maxrss / 1024.0);
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PrepareApplication();
    const QTemporaryDir folder;
    const auto mainForm = std::make_unique<TMainForm>();
    if (!(argc > 1 && argv[1] == std::string_view("--beside")))
        ProgramFolder = folder.path() + QLatin1Char('/');
    mainForm->SetSettingsForm(new TSettingsForm(mainForm.get()));
    PaintProbe probe;
    mainForm->installEventFilter(&probe);
    mainForm->show();
    const int result = QApplication::exec();
    mainForm->hide();
    return result;
}
