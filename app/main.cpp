#include "app/Windows.h"
#include "cli/CommandLine.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
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

// The windows' module: beside the program (the build tree, a portable copy), or where the
// package installs it. Found from the program file's own path, never from the current folder.
void* LoadWindows(std::string& failure) {
    char path[PATH_MAX];
    const ssize_t size = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (size <= 0) {
        failure = "/proc/self/exe";
        return nullptr;
    }
    const std::string program(path, static_cast<std::size_t>(size));
    const std::string folder = program.substr(0, program.rfind('/') + 1);
    for (const char* place : {"", "../libexec/orvanta/"}) {
        const std::string module = folder + place + "liborvanta-windows.so";
        if (::access(module.c_str(), F_OK) != 0)
            continue;
        if (void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL))
            return handle;
        failure = ::dlerror();
        return nullptr;
    }
    failure = folder + "../libexec/orvanta/liborvanta-windows.so: not found";
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
