#pragma once

#include <QByteArray>

// Registers the free fonts with the metrics of "Tahoma" and "MS Sans Serif" that Debian's
// fonts-wine ships in a folder fontconfig does not search. Without them Qt falls back to the
// default sans-serif font. Safe to call more than once.
void RegisterBundledFonts();

// The free "MS Sans Serif" joins "T" and "M" into "™", a standard ligature ("liga") that text
// shaping applies unasked: Qt's colour dialog would read "H™L:". Renamed a discretionary one
// ("dlig"), which nothing asks for, it goes, and every other text keeps its glyphs and widths.
// Bytes that do not read as an OpenType font with substitutions come back as they are.
QByteArray WithoutStandardLigatures(QByteArray font);

// Whether a font family is known to the application.
bool HasFontFamily(const char* family);

class QFont;

// The windows' font: "MS Sans Serif" at 8 points (11 pixels: the windows are laid out in pixels
// for 96 dots per inch). That free font is a bitmap font that neither scales nor emboldens, so on
// a high-density screen, and for bold texts, "Tahoma" stands in, which has the same metrics.
// Without either, the application's default font at the same size.
QFont WindowFont(bool bold = false);
// For rich text that marks some of its words bold: the windows' font at its regular weight, in
// the face that draws the bold words bold.
QFont RichTextFont();

// Menus, tooltips, message boxes, dialogs and the date pickers' calendars are windows of their
// own, which do not inherit the font of the window that opens them: the windows' font as the
// application's default gives them the same, so that nothing looks borrowed from another
// program. Call once, after RegisterBundledFonts and before any window is made.
void MakeWindowFontTheDefault();
