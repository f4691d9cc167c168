#pragma once

// The windows of the program, in a module of their own (liborvanta-windows.so) that the program
// loads only when it is given no command: the command line then maps no Qt Gui library.

// The name the program looks the entry up by.
inline constexpr char WindowsEntryName[] = "OrvantaWindowsMain";

// Starts the windows and runs them until the main window closes; the process's exit code.
extern "C" int OrvantaWindowsMain(int argc, char* argv[]);
