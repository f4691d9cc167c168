#pragma once

#include <string>

// Where a module of the program is: beside the program file (the build tree, a portable copy,
// a test program), or where the package installs it, ../libexec/orvanta/ from there. Found from
// the program file's own path, never from the current folder. When neither holds it, the place
// the package would put it; empty when the program's own path cannot be read.
std::string ProgramModulePath(const std::string& name);
