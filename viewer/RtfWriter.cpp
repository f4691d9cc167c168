#include "viewer/RtfWriter.h"

// Placeholder until the real writer lands.
QByteArray WriteRtf(const QTextDocument& document) {
    return "{\\rtf1 " + document.toPlainText().toLatin1() + "}";
}
