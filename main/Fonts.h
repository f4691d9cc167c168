#pragma once

// Registers the free fonts with the metrics of "Tahoma" and "MS Sans Serif" that Debian's
// fonts-wine ships in a folder fontconfig does not search. Without them Qt falls back to the
// default sans-serif font. Safe to call more than once.
void RegisterBundledFonts();

// Whether a font family is known to the application.
bool HasFontFamily(const char* family);

class QFont;

// The windows' font: "MS Sans Serif" at 8 points (11 pixels: the windows are laid out in pixels
// for 96 dots per inch). That free font is a bitmap font that neither scales nor emboldens, so on
// a high-density screen, and for bold texts, "Tahoma" stands in, which has the same metrics.
// Without either, the application's default font at the same size.
QFont WindowFont(bool bold = false);
