#include "widgets/ErrorBox.h"

#include <gtest/gtest.h>

// The full stop the error box adds where a message has none, in the language's own form.
TEST(ErrorBox, EndsAMessageWithTheFullStopOfItsLanguage) {
    const struct {
        const char* message;
        const char* shown;
    } rows[] = {
        {"Ресурс HELP не найден", "Ресурс HELP не найден."},
        {"Не могу создать файл \"x.ics\".", "Не могу создать файл \"x.ics\"."},
        {"Cannot write to /tmp/x", "Cannot write to /tmp/x."},
        {"无法写入 /tmp/x", "无法写入 /tmp/x。"},
        {"无法读取设置文件", "无法读取设置文件。"},
        {"无法读取设置文件。", "无法读取设置文件。"},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ErrorBoxText(QString::fromUtf8(row.message)).toStdString(), row.shown);
}
