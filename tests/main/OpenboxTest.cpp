// The windows on a real X11 desktop: Xvfb with the openbox window manager, which
// tests/app/OpenboxTest.sh starts for this program. What lies above what is the window manager's
// stacking order (_NET_CLIENT_LIST_STACKING), read here through a connection of our own; where a
// window lies is its frame's place, which only the window manager knows.
#include "ProgramFixture.h"
#include "viewer/FindDialog.h"
#include "viewer/InfoViewer.h"
#include "widgets/ErrorBox.h"
#include "widgets/SaveFile.h"
#include "widgets/StayOnTop.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr int TimeOut = 10000; // milliseconds

// The desktop as the window manager describes it on the root window.
class TDesktop {
public:
    TDesktop() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_))
            return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        stacking_ = Atom("_NET_CLIENT_LIST_STACKING");
        wmCheck_ = Atom("_NET_SUPPORTING_WM_CHECK");
    }
    ~TDesktop() { xcb_disconnect(connection_); }
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    bool Connected() const { return root_ != 0; }

    // A window of another program (this connection is another X client), mapped.
    xcb_window_t OpenWindow() {
        const xcb_window_t window = xcb_generate_id(connection_);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const std::uint32_t white = screen->white_pixel;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 300, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                          &white);
        const char title[] = "Another program";
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                            XCB_ATOM_STRING, 8, sizeof title - 1, title);
        xcb_map_window(connection_, window);
        xcb_flush(connection_);
        return window;
    }
    // Asks the window manager to activate the window, as a task bar does when it is clicked.
    void Activate(xcb_window_t window) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = Atom("_NET_ACTIVE_WINDOW");
        message.data.data32[0] = 2; // from a pager or task bar
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, root_,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }
    void CloseWindow(xcb_window_t window) {
        xcb_destroy_window(connection_, window);
        xcb_flush(connection_);
    }
    // Whether a window manager manages new windows: it announces itself before it is ready, and
    // a window mapped meanwhile may never be managed. So a window of ours is mapped until it is.
    bool ManagesWindows() {
        if (Windows(wmCheck_).empty())
            return false;
        if (!probe_)
            probe_ = OpenWindow();
        const std::vector<xcb_window_t> managed = Stacking();
        if (std::find(managed.begin(), managed.end(), probe_) == managed.end()) {
            xcb_map_window(connection_, probe_);
            xcb_flush(connection_);
            return false;
        }
        CloseWindow(std::exchange(probe_, 0));
        return true;
    }
    // The managed windows from the bottom up.
    std::vector<xcb_window_t> Stacking() const { return Windows(stacking_); }

private:
    xcb_atom_t Atom(const char* name) const {
        const xcb_intern_atom_cookie_t cookie =
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    }

    std::vector<xcb_window_t> Windows(xcb_atom_t property) const {
        std::vector<xcb_window_t> windows;
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection_, 0, root_, property, XCB_ATOM_WINDOW, 0, 4096);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
        if (reply && reply->format == 32) {
            const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
            windows.assign(ids, ids + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return windows;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
    xcb_atom_t stacking_ = XCB_ATOM_NONE;
    xcb_atom_t wmCheck_ = XCB_ATOM_NONE;
    xcb_window_t probe_ = 0;
};

class OpenboxTest : public TProgramFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        ASSERT_TRUE(desktop.Connected());
        static bool managing = false;
        managing =
            managing || QTest::qWaitFor([this] { return desktop.ManagesWindows(); }, TimeOut);
        ASSERT_TRUE(managing) << "no window manager manages the display's windows";
        TProgramFixture::SetUp();
        Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get(), TimeOut));
        settings = form->findChild<TSettingsForm*>();
        ASSERT_NE(settings, nullptr);
    }

    // The window's place in the stacking order from the bottom, -1 while it is not managed.
    int Level(xcb_window_t id) const {
        const std::vector<xcb_window_t> stacking = desktop.Stacking();
        const auto at = std::find(stacking.begin(), stacking.end(), id);
        return at == stacking.end() ? -1 : static_cast<int>(at - stacking.begin());
    }
    static xcb_window_t Id(const QWidget* window) {
        return static_cast<xcb_window_t>(window->winId());
    }
    int Level(const QWidget* window) const { return Level(Id(window)); }
    bool Above(xcb_window_t upper, xcb_window_t lower) const {
        const int low = Level(lower);
        return low >= 0 && Level(upper) > low;
    }
    bool Above(const QWidget* upper, const QWidget* lower) const {
        return Above(Id(upper), Id(lower));
    }
    bool OnTop(const QWidget* window) const {
        return Level(window) == static_cast<int>(desktop.Stacking().size()) - 1;
    }
    // Waits until the condition holds, the window manager having had its time.
    static bool Eventually(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, TimeOut);
    }
    // Holds for a while, whatever the window manager does meanwhile.
    static bool Stays(const std::function<bool()>& condition) {
        for (int i = 0; i < 10; ++i) {
            if (!condition())
                return false;
            QTest::qWait(50);
        }
        return condition();
    }
    // The frame's place once the window manager has put its frame around the window.
    static QRect Frame(const QWidget* window) {
        EXPECT_TRUE(QTest::qWaitFor(
            [window] { return !window->windowHandle()->frameMargins().isNull(); }, TimeOut));
        return window->frameGeometry();
    }
    // A real click, through the X server, so that the window manager sees it as a user's.
    static void Click(const QPoint& global) {
        const int status = QProcess::execute(
            QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
             QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
        EXPECT_EQ(status, 0) << "xdotool";
    }

    void OpenSettings() {
        Find<QAction>("actSettings")->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(settings, TimeOut));
        ASSERT_TRUE(Eventually([this] { return OnTop(settings) && Above(settings, form.get()); }));
    }

    TDesktop desktop;
    TSettingsForm* settings = nullptr;
};

// Runs `check` on the next modal window other than `current` once it is mapped; `check` must
// close it.
void OnNextModal(QObject* context, const QWidget* current, std::function<void(QWidget*)> check) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, current, check = std::move(check)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != current && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            check(modal);
        }
    });
    timer->start(10);
}

} // namespace

// While the viewer, its save dialog and the question before a file is replaced are open, each
// lies above the settings window, which gives up staying on top meanwhile and takes it back when
// the viewer closes. The find dialog opens with its frame level with the text and stays above the
// viewer when the user clicks into the text or the viewer's title bar.
TEST_F(OpenboxTest, ModalWindowsLieAboveTheSettingsWindowAndTheFindDialogAboveItsViewer) {
    OpenSettings();
    const QString existing = folder + QStringLiteral("Справка.rtf");
    WriteFile(existing, "{\\rtf1 kept}");
    bool viewerSeen = false;
    bool saveSeen = false;
    bool questionSeen = false;
    OnNextModal(form.get(), nullptr, [&](QWidget* modal) {
        auto* viewer = qobject_cast<TInfoViewerForm*>(modal);
        ASSERT_NE(viewer, nullptr);
        const auto close = qScopeGuard([viewer] { viewer->close(); });
        viewerSeen = true;
        EXPECT_TRUE(Eventually([&] { return Above(viewer, settings); }));
        EXPECT_FALSE(StaysOnTop(settings));

        // The find dialog: its frame beside the text from the first opening on.
        auto* reInfo = Child<QTextEdit>(viewer, "reInfo");
        auto* find = Child<TFindDialog>(viewer, "FindDialog");
        const QRect viewerFrame = Frame(viewer);
        Child<QAction>(viewer, "actFind")->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(find, TimeOut));
        EXPECT_EQ(Frame(find).topLeft(), QPoint(reInfo->width(), viewerFrame.top() + 29));
        EXPECT_TRUE(Eventually([&] { return Above(find, viewer); }));
        // Clicked into the text, or twice on the title bar, the viewer comes up; the dialog
        // stays above it.
        Click(reInfo->viewport()->mapToGlobal(reInfo->viewport()->rect().center()));
        EXPECT_TRUE(Stays([&] { return Above(find, viewer); }));
        // Two single clicks: a double click would maximise the viewer.
        const QPoint titleBar(viewerFrame.left() + 100, viewerFrame.top() + 5);
        Click(titleBar);
        QTest::qWait(QApplication::doubleClickInterval() * 2);
        Click(titleBar + QPoint(20, 0));
        EXPECT_TRUE(Stays([&] { return Above(find, viewer); }));
        // Another program's window comes up over both, the dialog staying just above the viewer
        // and not on top of other programs; back in the viewer, the dialog is above it again.
        const xcb_window_t other = desktop.OpenWindow();
        const auto closeOther = qScopeGuard([&] { desktop.CloseWindow(other); });
        EXPECT_TRUE(Eventually([&] { return Level(other) >= 0; }));
        desktop.Activate(other);
        EXPECT_TRUE(Eventually(
            [&] { return !StaysOnTop(find) && Above(other, Id(find)) && Above(find, viewer); }));
        Click(reInfo->viewport()->mapToGlobal(reInfo->viewport()->rect().center()));
        EXPECT_TRUE(Eventually(
            [&] { return StaysOnTop(find) && Above(Id(viewer), other) && Above(find, viewer); }));

        // The save dialog and the question over an existing file.
        OnNextModal(form.get(), viewer, [&](QWidget* save) {
            auto* dialog = qobject_cast<QFileDialog*>(save);
            ASSERT_NE(dialog, nullptr);
            saveSeen = true;
            EXPECT_TRUE(Eventually([&] { return OnTop(dialog) && Above(dialog, settings); }));
            dialog->setDirectory(folder);
            TypeFileName(dialog, QStringLiteral("Справка"));
            OnNextModal(form.get(), dialog, [&](QWidget* next) {
                auto* question = qobject_cast<QMessageBox*>(next);
                ASSERT_NE(question, nullptr);
                questionSeen = true;
                EXPECT_TRUE(Eventually([&] { return OnTop(question); }));
                EXPECT_TRUE(Above(question, settings));
                EXPECT_FALSE(StaysOnTop(settings));
                question->button(QMessageBox::No)->click();
            });
            static_cast<QDialog*>(dialog)->accept();
        });
        Child<QAction>(viewer, "actSaveAs")->trigger();
        EXPECT_TRUE(Eventually([&] { return Above(viewer, settings) && Above(find, viewer); }));
    });
    Find<QAction>("actHelp")->trigger();
    EXPECT_TRUE(viewerSeen);
    EXPECT_TRUE(saveSeen);
    EXPECT_TRUE(questionSeen);
    EXPECT_EQ(ReadFile(existing), "{\\rtf1 kept}");
    EXPECT_TRUE(Eventually([&] { return OnTop(settings) && StaysOnTop(settings); }));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// The settings window's help box and colour dialog and the main window's modal windows open
// above the settings window too.
TEST_F(OpenboxTest, EveryOtherModalWindowLiesAboveTheSettingsWindow) {
    OpenSettings();
    // Its own help box, modal to it alone, it keeps above itself, and both stay above the main
    // window the user clicks meanwhile.
    QWidget* help = Child<QWidget>(settings, "spHelp");
    QTest::mouseClick(help, Qt::LeftButton, {}, help->rect().center());
    QPointer<QMessageBox> box = settings->findChild<QMessageBox*>();
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(Eventually([&] { return OnTop(box) && Above(box, settings); }));
    Click(form->mapToGlobal(QPoint(20, form->height() - 20)));
    EXPECT_TRUE(
        Stays([&] { return OnTop(box) && Above(settings, form.get()) && StaysOnTop(settings); }));
    box->button(QMessageBox::Ok)->click();

    bool colourSeen = false;
    OnNextModal(form.get(), nullptr, [&](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        colourSeen = true;
        EXPECT_TRUE(Eventually([&] { return OnTop(dialog) && Above(dialog, settings); }));
        dialog->reject();
    });
    QWidget* panel = Child<QWidget>(settings, "pnColorMan");
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->rect().center());
    EXPECT_TRUE(colourSeen);
    EXPECT_TRUE(Eventually([&] { return OnTop(settings) && StaysOnTop(settings); }));

    // A question, an error box, a detail report, the list of couples, the months of the
    // calendar: each above the settings window, which is on top again once it closes.
    const std::vector<std::pair<const char*, std::function<void()>>> openers = {
        {"question", [this] { AskYesNo(form.get(), "Question", QStringLiteral("Заменить?")); }},
        {"error box",
         [] {
             SetErrorBoxHandler({});
             ShowErrorBox(QStringLiteral("Не могу создать файл"));
         }},
        {"detail report", [this] { Find<QAction>("actManInfo")->trigger(); }},
        {"couples", [this] { Find<QAction>("actChooseCouple")->trigger(); }},
        {"calendar", [this] { Find<QAction>("actExportCalendar")->trigger(); }},
    };
    for (const auto& [name, open] : openers) {
        SCOPED_TRACE(name);
        bool seen = false;
        OnNextModal(form.get(), nullptr, [&](QWidget* modal) {
            seen = true;
            EXPECT_TRUE(Eventually([&] { return OnTop(modal) && Above(modal, settings); }));
            EXPECT_FALSE(StaysOnTop(settings));
            modal->close();
        });
        open();
        EXPECT_TRUE(seen);
        EXPECT_TRUE(Eventually([&] { return OnTop(settings) && StaysOnTop(settings); }));
    }
}

// The main window opens centred on the screen when it fits; larger than the screen
// (QT_SCALE_FACTOR=2 on 1280×1024, which tests/app/OpenboxTest.sh runs too), it opens at the
// screen's top-left corner with its title bar on the screen.
TEST_F(OpenboxTest, TheMainWindowOpensWithItsTitleBarOnTheScreen) {
    const QRect area = form->screen()->availableGeometry();
    const QRect frame = Frame(form.get());
    EXPECT_GE(frame.top(), area.top());
    EXPECT_GE(frame.left(), area.left());
    const bool fits = frame.width() <= area.width() && frame.height() <= area.height();
    if (fits) {
        const QPoint offCentre = form->geometry().center() - area.center();
        EXPECT_LE(offCentre.manhattanLength(), 2);
    } else {
        EXPECT_EQ(frame.topLeft(), area.topLeft());
    }
    std::printf("screen %dx%d, frame %d,%d %dx%d\n", area.width(), area.height(), frame.x(),
                frame.y(), frame.width(), frame.height());
}
