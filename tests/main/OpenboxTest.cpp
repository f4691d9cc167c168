// The windows on a real X11 desktop: Xvfb with openbox, which tests/app/OpenboxTest.sh starts for
// this program. What lies above what is the window manager's stacking order
// (_NET_CLIENT_LIST_STACKING), read through a connection of our own; where a window lies is its
// frame's place, which only the window manager knows.
#include "ProgramFixture.h"
#include "viewer/FindDialog.h"
#include "viewer/InfoViewer.h"
#include "widgets/ErrorBox.h"
#include "widgets/SaveFile.h"
#include "widgets/StayOnTop.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int TimeOut = 10000; // milliseconds

template <class T> using TReply = std::unique_ptr<T, decltype(&std::free)>;

// The desktop as the window manager describes it on the root window.
class TDesktop {
public:
    TDesktop() : x_(xcb_connect(nullptr, nullptr)) {
        if (!xcb_connection_has_error(x_))
            screen_ = xcb_setup_roots_iterator(xcb_get_setup(x_)).data;
    }
    ~TDesktop() { xcb_disconnect(x_); }
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    bool Connected() const { return screen_ != nullptr; }

    // A mapped window of another program: this connection is another X client.
    xcb_window_t OpenWindow() {
        const xcb_window_t window = xcb_generate_id(x_);
        const std::uint32_t white = screen_->white_pixel;
        xcb_create_window(x_, XCB_COPY_FROM_PARENT, window, screen_->root, 0, 0, 300, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual, XCB_CW_BACK_PIXEL,
                          &white);
        xcb_map_window(x_, window);
        xcb_flush(x_);
        return window;
    }
    void CloseWindow(xcb_window_t window) {
        xcb_destroy_window(x_, window);
        xcb_flush(x_);
    }
    // Asks the window manager to activate the window, as a task bar does when it is clicked.
    void Activate(xcb_window_t window) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = Atom("_NET_ACTIVE_WINDOW");
        message.data.data32[0] = 2; // from a task bar
        xcb_send_event(x_, 0, screen_->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(x_);
    }
    // Whether the window manager manages new windows: it announces itself before it is ready,
    // and a window mapped meanwhile may never be managed, so a probe is mapped until it is.
    bool ManagesWindows() {
        if (Windows("_NET_SUPPORTING_WM_CHECK").empty())
            return false;
        if (!probe_)
            probe_ = OpenWindow();
        const std::vector<xcb_window_t> managed = Stacking();
        if (std::find(managed.begin(), managed.end(), probe_) == managed.end()) {
            xcb_map_window(x_, probe_);
            xcb_flush(x_);
            return false;
        }
        CloseWindow(std::exchange(probe_, 0));
        return true;
    }
    // The managed windows from the bottom up.
    std::vector<xcb_window_t> Stacking() const { return Windows("_NET_CLIENT_LIST_STACKING"); }

private:
    xcb_atom_t Atom(const char* name) const {
        const TReply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(
                x_, xcb_intern_atom(x_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
                nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    std::vector<xcb_window_t> Windows(const char* property) const {
        const TReply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(
                x_,
                xcb_get_property(x_, 0, screen_->root, Atom(property), XCB_ATOM_WINDOW, 0, 4096),
                nullptr),
            &std::free);
        if (!reply || reply->format != 32)
            return {};
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
        return {ids, ids + xcb_get_property_value_length(reply.get()) / 4};
    }

    xcb_connection_t* x_;
    const xcb_screen_t* screen_ = nullptr;
    xcb_window_t probe_ = 0;
};

xcb_window_t Id(const QWidget* window) {
    return static_cast<xcb_window_t>(window->winId());
}

bool Eventually(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, TimeOut);
}

// A real click through the X server, which the window manager sees as a user's.
void Click(const QPoint& global) {
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                 QString::number(global.x()), QString::number(global.y()),
                                 QStringLiteral("click"), QStringLiteral("1")}),
              0);
}

// The frame's place once the window manager has put its frame around the window.
QRect Frame(const QWidget* window) {
    EXPECT_TRUE(Eventually([window] { return !window->windowHandle()->frameMargins().isNull(); }));
    return window->frameGeometry();
}

class OpenboxTest : public TProgramFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        ASSERT_TRUE(desktop.Connected());
        static bool managing = false;
        managing = managing || Eventually([this] { return desktop.ManagesWindows(); });
        ASSERT_TRUE(managing) << "no window manager manages the display's windows";
        TProgramFixture::SetUp();
        Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get(), TimeOut));
        settings = form->findChild<TSettingsForm*>();
        ASSERT_NE(settings, nullptr);
    }

    // Whether `upper` lies above `lower`, both managed.
    bool Above(xcb_window_t upper, xcb_window_t lower) const {
        const std::vector<xcb_window_t> stacking = desktop.Stacking();
        const auto low = std::find(stacking.begin(), stacking.end(), lower);
        return low != stacking.end() && std::find(low, stacking.end(), upper) != stacking.end() &&
               upper != lower;
    }
    bool Above(const QWidget* upper, const QWidget* lower) const {
        return Above(Id(upper), Id(lower));
    }
    bool OnTop(const QWidget* window) const {
        const std::vector<xcb_window_t> stacking = desktop.Stacking();
        const auto at = std::find(stacking.begin(), stacking.end(), Id(window));
        return at != stacking.end() && at + 1 == stacking.end();
    }
    // Clicks into a widget of the program and waits until it has the click: the window manager,
    // which sees the click first, has then done all it does for it.
    static void ClickInto(QWidget* widget) {
        struct TReleaseSeen : QObject {
            QWidget* widget;
            bool seen = false;
            explicit TReleaseSeen(QWidget* w) : widget(w) {}
            bool eventFilter(QObject* watched, QEvent* event) override {
                auto* target = qobject_cast<QWidget*>(watched);
                seen = seen || (event->type() == QEvent::MouseButtonRelease && target &&
                                (target == widget || widget->isAncestorOf(target)));
                return false;
            }
        } release(widget);
        qApp->installEventFilter(&release);
        Click(widget->mapToGlobal(widget->rect().center()));
        EXPECT_TRUE(Eventually([&] { return release.seen; }));
        qApp->removeEventFilter(&release);
    }

    TDesktop desktop;
    TSettingsForm* settings = nullptr;
};

} // namespace

// While the viewer, its save dialog and the question before a file is replaced are open, each
// lies above the settings window, which gives up staying on top meanwhile and takes it back when
// the viewer closes. The find dialog opens with its frame level with the text and stays above the
// viewer when the user clicks into it, but not above another program.
TEST_F(OpenboxTest, ModalWindowsLieAboveTheSettingsWindowAndTheFindDialogAboveItsViewer) {
    Find<QAction>("actSettings")->trigger();
    ASSERT_TRUE(Eventually([this] { return OnTop(settings) && Above(settings, form.get()); }));
    const QString existing = folder + QStringLiteral("Справка.rtf");
    WriteFile(existing, "{\\rtf1 kept}");
    int seen = 0;
    OnModal(form.get(), [&](QWidget* modal) {
        auto* viewer = qobject_cast<TInfoViewerForm*>(modal);
        ASSERT_NE(viewer, nullptr);
        const auto close = qScopeGuard([viewer] { viewer->close(); });
        ++seen;
        EXPECT_TRUE(Eventually([&] { return Above(viewer, settings); }));
        EXPECT_FALSE(StaysOnTop(settings));

        auto* reInfo = Child<QTextEdit>(viewer, "reInfo");
        auto* find = Child<TFindDialog>(viewer, "FindDialog");
        const QRect viewerFrame = Frame(viewer);
        // Ctrl+F, as a user gives it: in the viewer the window manager has made active.
        ASSERT_TRUE(QTest::qWaitForWindowActive(viewer, TimeOut));
        Child<QAction>(viewer, "actFind")->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(find, TimeOut));
        EXPECT_EQ(Frame(find).topLeft(), QPoint(reInfo->width(), viewerFrame.top() + 29));
        EXPECT_TRUE(Eventually([&] { return Above(find, viewer); }));
        ClickInto(reInfo->viewport());
        EXPECT_TRUE(Above(find, viewer));

        const xcb_window_t other = desktop.OpenWindow();
        const auto closeOther = qScopeGuard([&] { desktop.CloseWindow(other); });
        EXPECT_TRUE(Eventually([&] { return Above(other, Id(viewer)); }));
        desktop.Activate(other);
        EXPECT_TRUE(Eventually(
            [&] { return !StaysOnTop(find) && Above(other, Id(find)) && Above(find, viewer); }));
        ClickInto(reInfo->viewport());
        EXPECT_TRUE(Eventually(
            [&] { return StaysOnTop(find) && Above(Id(viewer), other) && Above(find, viewer); }));

        OnModal(
            form.get(),
            [&](QWidget* save) {
                auto* dialog = qobject_cast<QFileDialog*>(save);
                ASSERT_NE(dialog, nullptr);
                ++seen;
                EXPECT_TRUE(Eventually([&] { return OnTop(dialog) && Above(dialog, settings); }));
                dialog->setDirectory(folder);
                TypeFileName(dialog, QStringLiteral("Справка"));
                OnModal(
                    form.get(),
                    [&](QWidget* question) {
                        ++seen;
                        EXPECT_TRUE(Eventually([&] { return OnTop(question); }));
                        EXPECT_TRUE(Above(question, settings));
                        EXPECT_FALSE(StaysOnTop(settings));
                        qobject_cast<QMessageBox*>(question)->button(QMessageBox::No)->click();
                    },
                    dialog);
                static_cast<QDialog*>(dialog)->accept();
            },
            viewer);
        Child<QAction>(viewer, "actSaveAs")->trigger();
        EXPECT_TRUE(Eventually([&] { return Above(viewer, settings) && Above(find, viewer); }));
    });
    Find<QAction>("actHelp")->trigger();
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(ReadFile(existing), "{\\rtf1 kept}");
    EXPECT_TRUE(Eventually([&] { return OnTop(settings) && StaysOnTop(settings); }));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// The settings window's own help box stays above it, which keeps staying on top; every other modal
// window opens above the settings window, which is on top again once it closes.
TEST_F(OpenboxTest, EveryOtherModalWindowLiesAboveTheSettingsWindow) {
    Find<QAction>("actSettings")->trigger();
    ASSERT_TRUE(Eventually([this] { return OnTop(settings); }));
    QWidget* help = Child<QWidget>(settings, "spHelp");
    QTest::mouseClick(help, Qt::LeftButton, {}, help->rect().center());
    QPointer<QMessageBox> box = settings->findChild<QMessageBox*>();
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(Eventually([&] {
        return OnTop(box) && Above(box, settings) && Above(settings, form.get()) &&
               StaysOnTop(settings);
    }));
    box->button(QMessageBox::Ok)->click();

    const std::vector<std::pair<const char*, std::function<void()>>> openers = {
        {"colour",
         [this] { QTest::mouseClick(Child<QWidget>(settings, "pnColorMan"), Qt::LeftButton); }},
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
        OnModal(form.get(), [&](QWidget* modal) {
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

// The main window opens centred when it fits the screen; larger (QT_SCALE_FACTOR=2 on 1280×1024,
// which tests/app/OpenboxTest.sh runs too), at the screen's top-left with its title bar on it.
TEST_F(OpenboxTest, TheMainWindowOpensWithItsTitleBarOnTheScreen) {
    const QRect area = form->screen()->availableGeometry();
    const QRect frame = Frame(form.get());
    if (frame.width() <= area.width() && frame.height() <= area.height())
        EXPECT_LE((form->geometry().center() - area.center()).manhattanLength(), 2);
    else
        EXPECT_EQ(frame.topLeft(), area.topLeft());
}
