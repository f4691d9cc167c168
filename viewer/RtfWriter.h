#pragma once

#include <QByteArray>
#include <QTextDocument>

// Writes a text document as RTF in code page 1251 (other characters as \uN).
QByteArray WriteRtf(const QTextDocument& document);
