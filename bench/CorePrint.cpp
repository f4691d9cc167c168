// The yardstick of the command line's cost: a Qt Core program that only prints. scripts/report-
// bench.sh runs it beside `orvanta report`.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    std::fputs("orvanta\n", stdout);
    return 0;
}
