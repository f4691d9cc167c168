#include "viewer/InfoViewer.h"

#include "widgets/Accessibility.h"

#include "widgets/ErrorBox.h"

#include "model/Error.h"
#include "platform/Translation.h"
#include "platform/WholeFile.h"
#include "viewer/FindDialog.h"
#include "viewer/RtfReader.h"
#include "viewer/RtfWriter.h"
#include "widgets/Fonts.h"
#include "widgets/ImageList.h"
#include "widgets/SaveFile.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include <exception>

namespace {

constexpr QSize OuterSize(500, 500);
constexpr int ToolBarHeight = 29;
constexpr int SeparatorWidth = 8;

// Wrapping at word boundaries looks ahead to a word's end for every line the word fills, so a
// word costs the square of its length: one of 10,000 letters spends the whole budget.
constexpr qint64 WordWrapBudget = 100'000'000;

// Word boundaries while the words' squared lengths stay within the budget; past it, anywhere,
// which breaks an over-long word without looking ahead. Only blanks count as boundaries here,
// so the sum never comes out lower than what the layout spends.
QTextOption::WrapMode WrapModeFor(const QTextDocument& document) {
    qint64 cost = 0;
    qint64 word = 0;
    for (const QChar ch : document.toPlainText()) {
        if (!ch.isSpace()) {
            ++word;
            continue;
        }
        cost += word * word;
        word = 0;
    }
    cost += word * word;
    return cost > WordWrapBudget ? QTextOption::WrapAnywhere
                                 : QTextOption::WrapAtWordBoundaryOrAnywhere;
}

} // namespace

TInfoViewerForm::TInfoViewerForm(QWidget* owner)
    : QDialog(owner), MainMenu1(new QMenuBar(this)), ToolBar1(new QToolBar(this)),
      reInfo(new QTextEdit(this)), FindDialog(new TFindDialog(this)) {
    setObjectName(QStringLiteral("InfoViewerForm"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(false);
    resize(OuterSize);
    setFont(WindowFont());

    actClose = AddCommand("actClose", Tr({"InfoViewer", "actClose"}), 6,
                          QKeySequence(Qt::ALT | Qt::Key_F4), &TInfoViewerForm::actCloseExecute);
    actFind = AddCommand("actFind", Tr({"InfoViewer", "actFind"}), 0,
                         QKeySequence(Qt::CTRL | Qt::Key_F), &TInfoViewerForm::actFindExecute);
    actSaveAs = AddCommand("actSaveAs", Tr({"InfoViewer", "actSaveAs"}), 1,
                           QKeySequence(Qt::CTRL | Qt::Key_S), &TInfoViewerForm::actSaveAsExecute);
    actWordWrap =
        AddCommand("actWordWrap", Tr({"InfoViewer", "actWordWrap"}), 2,
                   QKeySequence(Qt::CTRL | Qt::Key_W), &TInfoViewerForm::actWordWrapExecute);
    actCopy = AddCommand("actCopy", Tr({"InfoViewer", "actCopy"}), 3,
                         QKeySequence(Qt::CTRL | Qt::Key_C), &TInfoViewerForm::actCopyExecute);
    actSelectAll =
        AddCommand("actSelectAll", Tr({"InfoViewer", "actSelectAll"}), -1,
                   QKeySequence(Qt::CTRL | Qt::Key_A), &TInfoViewerForm::actSelectAllExecute);
    actWordWrap->setCheckable(true);
    actWordWrap->setChecked(true);

    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = MainMenu1->addMenu(Tr({"InfoViewer", "miFile"}));
    file->setObjectName(QStringLiteral("miFile"));
    file->addAction(actClose);
    QMenu* edit = MainMenu1->addMenu(Tr({"InfoViewer", "miEdit"}));
    edit->setObjectName(QStringLiteral("miEdit"));
    edit->addAction(actCopy);
    edit->addAction(actSelectAll);
    edit->addSeparator();
    edit->addAction(actFind);
    edit->addAction(actWordWrap);

    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(ToolBarHeight);
    ToolBar1->setIconSize(ImageList1().Size());
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const auto addButton = [this](QAction* action, const char* name) {
        ToolBar1->addAction(action);
        QWidget* button = ToolBar1->widgetForAction(action);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    tbFind = addButton(actFind, "tbFind");
    tbSaveAs = addButton(actSaveAs, "tbSaveAs");
    QAction* separator = ToolBar1->addSeparator();
    separator->setObjectName(QStringLiteral("tbSep1"));
    tbSep1 = ToolBar1->widgetForAction(separator);
    tbSep1->setObjectName(QStringLiteral("tbSep1"));
    tbSep1->setFixedWidth(SeparatorWidth);
    tbWordWrap = addButton(actWordWrap, "tbWordWrap");
    tbCopy = addButton(actCopy, "tbCopy");

    reInfo->setObjectName(QStringLiteral("reInfo"));
    reInfo->setAcceptRichText(true);
    reInfo->setLineWrapMode(QTextEdit::WidgetWidth);
    reInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    reInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(ToolBar1);
    layout->addWidget(reInfo, 1);

    connect(FindDialog, &TFindDialog::Find, this, &TInfoViewerForm::FindDialogFind);
}

QAction* TInfoViewerForm::AddCommand(const char* name, const QString& caption, int picture,
                                     const QKeySequence& shortcut,
                                     void (TInfoViewerForm::*handler)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(caption);
    action->setStatusTip(caption);
    if (picture >= 0)
        action->setIcon(ImageList1().Icon(picture));
    action->setShortcut(shortcut);
    addAction(action); // the shortcut works whether or not a menu or button shows the command
    // Exceptions must not unwind through Qt's signal dispatch, so a failed command is reported
    // here and the viewer stays open with its text.
    connect(action, &QAction::triggered, this,
            [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    return action;
}

void TInfoViewerForm::LoadDocument(const QByteArray& rtf) {
    QTextDocument* document = reInfo->document();
    // A shown viewer lays the text out as it is read, before its words are known.
    reInfo->setWordWrapMode(QTextOption::WrapAnywhere);
    ReadRtf(rtf, *document);
    reInfo->setWordWrapMode(WrapModeFor(*document));
    // Loading is not an edit the reader could undo.
    document->clearUndoRedoStacks();
    document->setModified(false);
    reInfo->moveCursor(QTextCursor::Start);
}

void TInfoViewerForm::SaveDocument(const QString& fileName) const {
    WriteWholeFile(fileName, WriteRtf(*reInfo->document()));
}

QPoint TInfoViewerForm::FindDialogPosition() const {
    // The client area begins below the menu bar, where the toolbar starts. x stays a client
    // coordinate (the text area's right edge); y is on screen, level with the text area's top.
    const int clientTop = ToolBar1->y();
    return {reInfo->x() + reInfo->width(), frameGeometry().top() + reInfo->y() - clientTop};
}

QString TInfoViewerForm::AskSaveFileName(const QString& proposed) {
    QFileDialog dialog(this, Tr({"InfoViewer", "SaveDialog.Caption"}));
    PrepareSaveDialog(
        dialog, {Tr({"InfoViewer", "SaveDialog.Filter"}) + QStringLiteral(" (*.rtf)")}, proposed);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void TInfoViewerForm::WrapWords() {
    actWordWrap->setChecked(true);
    actWordWrapExecute();
}

void TInfoViewerForm::actCloseExecute() {
    close();
}

void TInfoViewerForm::actFindExecute() {
    FindDialog->ShowAt(FindDialogPosition());
}

void TInfoViewerForm::actSaveAsExecute() {
    const QString fileName = AskSaveFileName(windowTitle());
    if (!fileName.isEmpty() && ConfirmReplace(this, fileName))
        SaveDocument(fileName);
}

void TInfoViewerForm::actWordWrapExecute() {
    const auto mode = actWordWrap->isChecked() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap;
    if (reInfo->lineWrapMode() == mode)
        return;
    // The text edit lays the text out in the new mode at the old width before it sets the new
    // one: wrapped at the zero width of no wrapping, a long block takes minutes, a letter a
    // line. Without a page size the document lays out nothing until the new width is set.
    reInfo->document()->setPageSize(QSizeF(0, 0));
    reInfo->setLineWrapMode(mode);
}

void TInfoViewerForm::actCopyExecute() {
    reInfo->copy();
}

void TInfoViewerForm::actSelectAllExecute() {
    reInfo->selectAll();
}

void TInfoViewerForm::FindDialogFind() {
    const QString text = FindDialog->FindText();
    if (text.isEmpty())
        return;
    // Always forward, whatever the direction: from just after the selection, or from the very
    // beginning when nothing is selected, wherever the caret is.
    const QTextCursor selection = reInfo->textCursor();
    const int start = selection.hasSelection() ? selection.selectionEnd() : 0;
    QTextDocument::FindFlags flags;
    if (FindDialog->MatchCase())
        flags |= QTextDocument::FindCaseSensitively;
    if (FindDialog->WholeWord())
        flags |= QTextDocument::FindWholeWords;
    const QTextCursor hit = reInfo->document()->find(text, start, flags);
    if (hit.isNull())
        return;
    activateWindow();
    reInfo->setFocus();
    reInfo->setTextCursor(hit);
}

bool TInfoViewerForm::event(QEvent* event) {
    // Hints show in the owner's status bar too; Qt stops them at this window otherwise.
    if (event->type() == QEvent::StatusTip && parentWidget()) {
        QCoreApplication::sendEvent(parentWidget()->window(), event);
        return true;
    }
    return QDialog::event(event);
}

void TInfoViewerForm::setVisible(bool visible) {
    if (!visible || placed_) {
        QDialog::setVisible(visible);
        return;
    }
    placed_ = true;
    // Sized and placed before the first showing lays the text out: each new width lays it out
    // again, and a long block costs as much each time. The outer size includes the frame, known
    // once the window exists.
    create();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    resize(OuterSize.shrunkBy(frame));
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area =
        owner && owner->isVisible() ? owner->frameGeometry() : screen()->availableGeometry();
    QRect outer(QPoint(), OuterSize);
    outer.moveCenter(area.center());
    move(outer.topLeft());
    // So is the bar's appearing, which a text taller than the viewer brings; laid out with the
    // bar in place, such a text keeps its width, and a shorter one is quick to lay out again.
    reInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QDialog::setVisible(true);
    reInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TInfoViewerForm::keyPressEvent(QKeyEvent* event) {
    // Only the close command and the close box close the viewer: Esc would throw away edits.
    if (event->matches(QKeySequence::Cancel)) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ShowRtfInViewer(QWidget* owner, const QString& caption, const QByteArray& rtf) {
    QPointer<TInfoViewerForm> form = new TInfoViewerForm(owner);
    // Destroyed however the call ends; the pointer clears itself should the owner go first.
    const auto destroy = qScopeGuard([&form] { delete form.data(); });
    form->setWindowTitle(caption);
    form->LoadDocument(rtf);
    form->WrapWords();
    DescribeForAssistiveTechnologies(form);
    form->exec();
}

void ShowInfoViewer(QWidget* owner, const QString& caption, const QString& resourceName) {
    QFile resource(QStringLiteral(":/documents/%1.rtf").arg(resourceName));
    if (!resource.open(QIODevice::ReadOnly))
        throw EProgramError(
            TrFormat({"Messages", "ResourceNotFound"}, {resourceName}).toStdString());
    ShowRtfInViewer(owner, caption, resource.readAll());
}

void ShowInfoViewer(QWidget* owner, const QString& caption, const QTextDocument& document) {
    // Through RTF, so that the viewer shows exactly what "save as" writes.
    ShowRtfInViewer(owner, caption, WriteRtf(document));
}
