#include "viewer/RtfReader.h"

// Placeholder until the real reader lands: the raw bytes as plain text.
void ReadRtf(const QByteArray& rtf, QTextDocument& document) {
    document.setPlainText(QString::fromLatin1(rtf));
}
