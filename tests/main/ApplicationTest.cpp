// What the application's set-up leaves until it is needed: the window icon until the first paint,
// the picture of a menu bar's extension button until the button shows, and with it every image
// plugin; Qt's print library until the first print. A process of its own: the set-up changes the
// application's style and icon.
#include "main/Application.h"
#include "ProgramFixture.h"
#include "widgets/ImageList.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>

#include <fstream>
#include <string>

namespace {

// The process's mappings of files whose path holds `part`, a line for each from there on.
std::string Mapped(const std::string& part) {
    std::string files;
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (const auto at = line.find(part); at != std::string::npos)
            files += line.substr(at) + "\n";
    return files;
}

QImage Picture(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

class ApplicationTest : public TProgramFixture {};

} // namespace

TEST_F(ApplicationTest, PicturesImagePluginsAndThePrintLibraryWaitUntilNeeded) {
    PrepareApplication();
    Start();
    EXPECT_TRUE(QApplication::windowIcon().isNull()) << "before the first paint";
    ASSERT_TRUE(QTest::qWaitFor([] { return !QApplication::windowIcon().isNull(); }));
    EXPECT_EQ(Picture(form->windowIcon()), Picture(ProgramIcon()));
    EXPECT_EQ(Mapped("/imageformats/"), "");
    // Qt's print library comes with the first print.
    EXPECT_EQ(Mapped("libQt6PrintSupport"), "");
    OnModal(form.get(), [](QWidget* dialog) { dialog->close(); });
    Find<QAction>("actPrint")->trigger();
    EXPECT_NE(Mapped("libQt6PrintSupport"), "");
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    // A menu bar too narrow for its menus shows the extension button, with Fusion's picture.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const QImage extension =
        Picture(fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
    for (const auto& [width, shown] : {std::pair{400, false}, std::pair{60, true}}) {
        QMainWindow window;
        for (const char* menu : {"File", "View", "Help"})
            window.menuBar()->addMenu(QLatin1String(menu))->addAction(QStringLiteral("Item"));
        window.setFixedWidth(width);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const auto* button = Child<QToolButton>(window.menuBar(), "qt_menubar_ext_button");
        EXPECT_EQ(button->isVisible(), shown) << width;
        EXPECT_EQ(Picture(button->icon()), shown ? extension : QImage()) << width;
    }
}
