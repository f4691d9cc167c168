#include "platform/ProgramModule.h"

#include <unistd.h>

#include <climits>

std::string ProgramModulePath(const std::string& name) {
    char path[PATH_MAX];
    const ssize_t size = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (size <= 0)
        return {};
    const std::string program(path, static_cast<std::size_t>(size));
    const std::string folder = program.substr(0, program.rfind('/') + 1);
    if (const std::string beside = folder + name; ::access(beside.c_str(), F_OK) == 0)
        return beside;
    return folder + "../libexec/orvanta/" + name;
}
