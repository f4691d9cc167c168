#pragma once

// Registers the free fonts with the metrics of "Tahoma" and "MS Sans Serif" that Debian's
// fonts-wine ships in a folder fontconfig does not search. Without them Qt falls back to the
// default sans-serif font. Safe to call more than once.
void RegisterBundledFonts();

// Whether a font family is known to the application.
bool HasFontFamily(const char* family);
