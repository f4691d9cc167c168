#pragma once

#include "model/DateTime.h"

#include <QByteArray>
#include <QStringList>

// The program's command line: --help, --version and the report of a couple, which needs no
// display. Without arguments, or with Qt's own options for the windows (-style, -platform ...),
// the program opens its windows instead.

// Whether the arguments are for the command line rather than for the windows.
bool IsCommandLine(int argc, char* argv[]);

// Runs the command line inside a QCoreApplication of its own; returns the exit status: 0 done,
// 1 a file or the report could not be written, 2 bad arguments (with nothing written).
int RunCommandLine(int argc, char* argv[]);

struct TCommandResult {
    int Status = 0;
    QByteArray Out;
    QByteArray Err;
};

// The command line without the process around it. `arguments` begin with the program's name, as
// QCoreApplication::arguments() gives them; `today` stands for --date when it is not given.
// Reads the settings file as the main window does and never writes it; installs the language it
// names (the process-wide texts and vocabulary) on the way.
TCommandResult RunCommand(const QStringList& arguments, TDateTime today);
