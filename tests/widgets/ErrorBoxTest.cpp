#include "widgets/ErrorBox.h"
#include "platform/Translation.h"

#include <gtest/gtest.h>

// The full stop the error box adds where a message has none, in the form of the language in use.
TEST(ErrorBox, EndsAMessageWithTheFullStopOfItsLanguage) {
    const struct {
        const char* locale; // none: the built-in Russian
        const char* message;
        const char* shown;
    } rows[] = {
        {nullptr, "Ресурс HELP не найден", "Ресурс HELP не найден."},
        {nullptr, "Не могу создать файл \"x.ics\".", "Не могу создать файл \"x.ics\"."},
        {nullptr, "Ресурс 报告 не найден", "Ресурс 报告 не найден."},
        {"en_GB", "Cannot write to /tmp/x", "Cannot write to /tmp/x."},
        {"zh_CN", "无法写入 /tmp/x", "无法写入 /tmp/x。"},
        {"zh_CN", "无法读取设置文件。", "无法读取设置文件。"},
        {nullptr, "", ""},
    };
    for (const auto& row : rows) {
        InstallLocale(row.locale ? ParseLocale(row.locale) : std::nullopt);
        EXPECT_EQ(ErrorBoxText(QString::fromUtf8(row.message)).toStdString(), row.shown);
    }
    InstallLocale(std::nullopt);
}
