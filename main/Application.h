#pragma once

// The application as the program sets it up before its first window: name, version, desktop
// entry, style, fonts, and the icon, which the windows get once the first window has been
// painted. The measuring tools call it too, so that they see the program's own windows. Needs
// the QApplication made.
void PrepareApplication();
