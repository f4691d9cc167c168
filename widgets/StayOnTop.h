#pragma once

#include <QObject>

class QWidget;

// A window that stays on top of other windows gives that up while a modal window of the program
// blocks it (a viewer, a save or colour dialog, a question, an error box), so that it never hides
// the window the user must answer, and takes it back once the last one closes. Its own message
// box, modal to it alone, it keeps above itself without giving anything up: the user may go on
// working in the other windows meanwhile. A helper window may also hold it only while the program
// is the active one: above its owner, never above other programs.
//
// Only the native window's hint changes (QWindow::setFlags): QWidget::setWindowFlag would hide the
// window and create it anew. The window is made with Qt::WindowStaysOnTopHint. Wayland has no
// stay-on-top; nothing changes there.
class TStayOnTop final : public QObject {
public:
    enum class TWhile { Unblocked, UnblockedAndProgramActive };

    // Watches `window`, which owns it.
    TStayOnTop(QWidget* window, TWhile condition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    // Whether a modal window other than the window's own message box lies over it.
    bool BlockedByAnother() const;

    QWidget* window_;
    TWhile condition_;
    bool blocked_ = false;
};

// Whether the window's native window asks to stay on top now; false before it exists.
bool StaysOnTop(const QWidget* window);
