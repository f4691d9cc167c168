#include "main/ProgramFolder.h"

QString ProgramFolder;
