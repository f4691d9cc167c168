#pragma once

// What the start-up probes share: once the watched window has been painted for the first time,
// print the time since the launcher's clock reading (ORVANTA_LAUNCH_NS, nanoseconds of
// CLOCK_REALTIME taken just before exec) and the peak resident memory, then quit. Only Qt Core
// and Widgets, so that the bare window maps nothing more than a Qt Widgets program does.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

inline double MillisecondsSinceLaunch() {
    const char* launch = std::getenv("ORVANTA_LAUNCH_NS");
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long double nowNs = static_cast<long double>(now.tv_sec) * 1e9L + now.tv_nsec;
    return launch ? static_cast<double>((nowNs - std::strtold(launch, nullptr)) / 1e6L) : -1;
}

class TFirstPaintProbe : public QObject {
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
