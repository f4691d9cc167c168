#pragma once

// What the start-up probes share: an application that, once the event in which a window was first
// painted (and the painting flushed to the screen) has been handled, prints the time since the
// launcher's clock reading (ORVANTA_LAUNCH_NS, nanoseconds of CLOCK_REALTIME taken just before
// exec) and the peak resident memory, then quits. Only Qt Core and Widgets, so that the bare
// window maps nothing more than a Qt Widgets program does.

#include <QApplication>
#include <QEvent>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

class TFirstPaintApplication final : public QApplication {
public:
    using QApplication::QApplication;

    // Whatever that event left queued runs after the report, as it runs after the user sees the
    // window.
    bool notify(QObject* receiver, QEvent* event) override {
        ++depth_;
        painted_ = painted_ || event->type() == QEvent::Paint;
        const bool result = QApplication::notify(receiver, event);
        if (--depth_ == 0 && painted_ && !reported_) {
            reported_ = true;
            Report();
            exit(0);
        }
        return result;
    }

private:
    static void Report() {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const long double nowNs = static_cast<long double>(now.tv_sec) * 1e9L + now.tv_nsec;
        const char* launch = std::getenv("ORVANTA_LAUNCH_NS");
        const double ms =
            launch ? static_cast<double>((nowNs - std::strtold(launch, nullptr)) / 1e6L) : -1;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("startup_ms %.1f peak_rss_mib %.1f\n", ms, usage.ru_maxrss / 1024.0);
        std::fflush(stdout);
    }

    int depth_ = 0;
    bool painted_ = false;
    bool reported_ = false;
};
