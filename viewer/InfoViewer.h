#pragma once

#include <QByteArray>
#include <QDialog>
#include <QPoint>
#include <QString>

class QAction;
class QKeySequence;
class QMenuBar;
class QTextDocument;
class QTextEdit;
class QToolBar;
class QWidget;
class TFindDialog;

// The information viewer: a modal window showing an RTF document that the reader may search,
// copy from, edit, rewrap and save as RTF.
class TInfoViewerForm : public QDialog {
    Q_OBJECT

public:
    explicit TInfoViewerForm(QWidget* owner = nullptr);

    // Replaces the shown text by an RTF document; damaged RTF shows what could be read.
    void LoadDocument(const QByteArray& rtf);
    // Turns wrapping on, the check mark saying so.
    void WrapWords();
    // Writes the current text, edits included, as RTF, replacing only a regular file. Throws
    // EProgramError when the file cannot be written; an existing file is then left as it was.
    void SaveDocument(const QString& fileName) const;
    // Where the find dialog's frame, its top-left corner, goes when it is opened.
    QPoint FindDialogPosition() const;
    // The first showing centres the viewer over its owner, or the screen.
    void setVisible(bool visible) override;

public slots:
    void actCloseExecute();
    void actFindExecute();
    // Asks before replacing an existing file. Throws EProgramError when the chosen file cannot
    // be written.
    void actSaveAsExecute();
    void actWordWrapExecute();
    void actCopyExecute();
    void actSelectAllExecute();
    void FindDialogFind();

protected:
    // Asks for the file to save to, proposing a name; an empty result means cancelled.
    virtual QString AskSaveFileName(const QString& proposed);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls; each has its name as object name, by which tests find it.
    QMenuBar* MainMenu1;
    QToolBar* ToolBar1;
    QTextEdit* reInfo;
    TFindDialog* FindDialog;

    QAction* actClose;
    QAction* actFind;
    QAction* actSaveAs;
    QAction* actWordWrap;
    QAction* actCopy;
    QAction* actSelectAll;

    QWidget* tbFind;
    QWidget* tbSaveAs;
    QWidget* tbSep1;
    QWidget* tbWordWrap;
    QWidget* tbCopy;

    QAction* AddCommand(const char* name, const QString& caption, int picture,
                        const QKeySequence& shortcut, void (TInfoViewerForm::*handler)());

    bool placed_ = false;
};

// Shows the embedded document ":/documents/<resourceName>.rtf" in a modal viewer over owner and
// returns when the reader closes it. Throws EProgramError "Ресурс <name> не найден" when there
// is no such document; no window is created then.
void ShowInfoViewer(QWidget* owner, const QString& caption, const QString& resourceName);

// Shows a document made by the program (a report) in the same modal viewer, where it can be
// searched, copied and saved as RTF like any other.
void ShowInfoViewer(QWidget* owner, const QString& caption, const QTextDocument& document);

// Shows an RTF document that is no part of the program (a language's help) in the same modal
// viewer; damaged RTF shows what could be read.
void ShowRtfInViewer(QWidget* owner, const QString& caption, const QByteArray& rtf);
