// The other half of the kill test: a process that does nothing but write the settings file,
// over and over, through the program's own code, until it is killed.
#include "main/SettingsFile.h"
#include "model/DisplaySettings.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    // The two versions differ in the opacity only; the first write is the new one.
    const int oldOpacity = std::atoi(argv[2]);
    const int newOpacity = std::atoi(argv[3]);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (unsigned i = 0;; ++i) {
        DisplaySettings.SetSettingsOpacity(i % 2 == 0 ? newOpacity : oldOpacity);
        try {
            SaveSettingsFile(path, *EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29));
        } catch (const std::exception&) {
            return 1;
        }
    }
}
