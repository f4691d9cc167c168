#include "platform/ProgramFolder.h"

QString ProgramFolder;
