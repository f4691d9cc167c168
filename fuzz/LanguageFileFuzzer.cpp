// Any bytes as a language file, applied to the main window: its texts and the name tables change
// as the file says, or the load stops with a format error; so does the refresh that follows.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzQt.h"
#include "main/MainUnit.h"
#include "model/Error.h"
#include "model/Shared.h"
#include "platform/LanguageFile.h"

#include <QGroupBox>

#include <string>

namespace {

TMainForm* Form = nullptr;

template <std::size_t N>
bool TableIs(const TNameTable<N>& table, const TProfileFile& file, const char* section) {
    for (int n = 1; n <= TNameTable<N>::Count; ++n)
        if (table[n] != file.Read(section, std::to_string(n), std::to_string(n)))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    Form = new TMainForm; // lives for the whole run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TProfileFile file = LanguageProfile(bytes);
    // Each load starts where the built-in vocabulary leaves the window.
    Form->ApplyBuiltInVocabulary();
    bool chartCaptionSet = false;
    try {
        chartCaptionSet = Form->ApplyLanguage(file);
    } catch (const EProgramError&) {
        return 0; // the caption's format did not fit: the load stops there
    }
    FUZZ_CHECK(TableIs(MonthNames, file, "Monthes"));
    FUZZ_CHECK(TableIs(ZodiacNames, file, "Zodiac"));
    FUZZ_CHECK(TableIs(ElementNames, file, "Element"));
    if (chartCaptionSet) {
        const auto* chartArea = Form->findChild<QGroupBox*>(QStringLiteral("gbGraphics"));
        ChartCaptionFormat = chartArea->title().toStdString();
        try {
            Form->actAnalysisExecute();
        } catch (const EProgramError&) {
            // a chart caption whose placeholders do not fit two month names
        }
    }
    return 0;
}
