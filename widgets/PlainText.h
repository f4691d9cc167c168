#pragma once

#include <QString>

// Texts from language files and the system are shown as plain text: Qt would take one that looks
// like HTML for rich text, and an <img src="…"> in it makes Qt open and read that file, however
// large, or block for ever on a FIFO.

// The markup that shows `text` as a tooltip letter for letter, line breaks kept and nothing
// wrapped, as a plain tooltip shows it.
QString PlainToolTipMarkup(const QString& text);

// Every widget's tooltip is shown as plain text from now on. Qt decides a tooltip's format by
// itself, so the widgets keep their plain tooltips and the markup is made when one is shown.
void ShowToolTipsAsPlainText();
