#include "app/Windows.h"
#include "cli/CommandLine.h"
#include "platform/ProgramModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool HaveDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

void* LoadWindows(std::string& failure) {
    const std::string module = ProgramModulePath("liborvanta-windows.so");
    if (module.empty()) {
        failure = "/proc/self/exe";
        return nullptr;
    }
    if (::access(module.c_str(), F_OK) != 0) {
        failure = module + ": not found";
        return nullptr;
    }
    if (void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL))
        return handle;
    failure = ::dlerror();
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    // The command line needs no display and no window library, so it goes first.
    if (IsCommandLine(argc, argv))
        return RunCommandLine(argc, argv);
    if (!HaveDisplay()) {
        std::fputs("orvanta: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "to see it anyway, run it under xvfb-run.\n",
                   stderr);
        return 1;
    }
    std::string failure;
    void* windows = LoadWindows(failure);
    const auto entry =
        windows ? reinterpret_cast<int (*)(int, char**)>(::dlsym(windows, WindowsEntryName))
                : nullptr;
    if (!entry) {
        std::fprintf(stderr, "orvanta: cannot load the windows: %s\n",
                     windows ? ::dlerror() : failure.c_str());
        return 1;
    }
    // The module stays loaded until the process ends: Qt's own clean-up runs at exit.
    return entry(argc, argv);
}
