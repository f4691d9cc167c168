#pragma once

#include <QString>

// The folder of the program file, with a trailing separator: where the settings file and the
// language folder are looked for first. Set at start-up; tests point it at a folder of their own.
extern QString ProgramFolder;
