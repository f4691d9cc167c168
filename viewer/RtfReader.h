#pragma once

#include <QByteArray>
#include <QTextDocument>

// Reads an RTF document into a text document, replacing its content. Never fails: damaged,
// unbalanced or truncated input gives the text read so far.
void ReadRtf(const QByteArray& rtf, QTextDocument& document);
