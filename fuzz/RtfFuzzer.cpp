// Any bytes as an RTF document; what the writer makes of the result reads back to the same text.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzQt.h"
#include "viewer/RtfReader.h"
#include "viewer/RtfWriter.h"

#include <QTextDocument>

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    ReadRtf(rtf, document);
    const QString text = document.toPlainText();

    const QByteArray written = WriteRtf(document);
    // Code page 1251 and \uN escapes: nothing but ASCII on disk.
    FUZZ_CHECK(std::all_of(written.begin(), written.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    QTextDocument reread;
    ReadRtf(written, reread);
    FUZZ_CHECK(reread.toPlainText() == text);
    return 0;
}
