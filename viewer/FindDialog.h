#pragma once

#include <QDialog>
#include <QPoint>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The viewer's modeless find dialog: search text, whole-word and match-case options and a
// direction. It only asks; the owner searches on each Find() and the dialog stays open. A tool
// window of its owner, above it while the program is the active one (widgets/StayOnTop).
class TFindDialog : public QDialog {
    Q_OBJECT

public:
    explicit TFindDialog(QWidget* parent = nullptr);

    QString FindText() const;
    bool WholeWord() const;
    bool MatchCase() const;
    // True for "Вниз", the default.
    bool Down() const;
    // Shows the dialog with its frame's top-left corner there (moved there when open already), in
    // front, the search text ready to be typed over.
    void ShowAt(const QPoint& frameTopLeft);
    // The caret goes into the search text, all of it selected, ready to be typed over.
    void FocusFindText();

signals:
    // "Найти далее" was pressed with a non-empty search text.
    void Find();

private:
    // The controls; each has its name as object name, by which tests find it.
    QLineEdit* edFindText;
    QCheckBox* chkWholeWord;
    QCheckBox* chkMatchCase;
    QRadioButton* rbUp;
    QRadioButton* rbDown;
    QPushButton* btFindNext;
    QPushButton* btCancel;
};
