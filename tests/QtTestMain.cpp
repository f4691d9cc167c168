#include "widgets/Fonts.h"
#include "widgets/PlainText.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

// Tests that need Qt run under one QApplication, offscreen unless told otherwise.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    RegisterBundledFonts();
    MakeWindowFontTheDefault();
    ShowToolTipsAsPlainText();
    return RUN_ALL_TESTS();
}
