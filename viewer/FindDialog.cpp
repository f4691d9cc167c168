#include "viewer/FindDialog.h"

#include "platform/Translation.h"
#include "widgets/StayOnTop.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

// A tool window owned by the viewer: above it, never in a task bar, a close box only.
TFindDialog::TFindDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      edFindText(new QLineEdit(this)),
      chkWholeWord(new QCheckBox(Tr({"FindDialog", "chkWholeWord"}), this)),
      chkMatchCase(new QCheckBox(Tr({"FindDialog", "chkMatchCase"}), this)),
      rbUp(new QRadioButton(Tr({"FindDialog", "rbUp"}))),
      rbDown(new QRadioButton(Tr({"FindDialog", "rbDown"}))),
      btFindNext(new QPushButton(Tr({"FindDialog", "btFindNext"}), this)),
      btCancel(new QPushButton(Tr({"FindDialog", "btCancel"}), this)) {
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(Tr({"FindDialog", "Caption"}));
    setModal(false);
    // Window managers keep a window above the one it belongs to only so far: openbox raises a
    // modal viewer above its own find dialog when the viewer is clicked. So the dialog stays on
    // top while the program is the active one, except while a modal window blocks it.
    new TStayOnTop(this, TStayOnTop::TWhile::UnblockedAndProgramActive);
    edFindText->setObjectName(QStringLiteral("edFindText"));
    chkWholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    rbUp->setObjectName(QStringLiteral("rbUp"));
    rbDown->setObjectName(QStringLiteral("rbDown"));
    btFindNext->setObjectName(QStringLiteral("btFindNext"));
    btCancel->setObjectName(QStringLiteral("btCancel"));

    auto* label = new QLabel(Tr({"FindDialog", "lbFindText"}), this);
    label->setObjectName(QStringLiteral("lbFindText"));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(edFindText);

    auto* direction = new QGroupBox(Tr({"FindDialog", "gbDirection"}), this);
    direction->setObjectName(QStringLiteral("gbDirection"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(rbUp);
    directionLayout->addWidget(rbDown);
    rbDown->setChecked(true);

    auto* options = new QVBoxLayout;
    options->addStretch();
    options->addWidget(chkWholeWord);
    options->addWidget(chkMatchCase);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btFindNext);
    buttons->addWidget(btCancel);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(edFindText, 0, 1, 1, 2);
    layout->addLayout(options, 1, 0, 1, 2);
    layout->addWidget(direction, 1, 2);
    layout->addLayout(buttons, 0, 3, 2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    btFindNext->setDefault(true);
    btFindNext->setEnabled(false);
    connect(edFindText, &QLineEdit::textChanged, this,
            [this](const QString& text) { btFindNext->setEnabled(!text.isEmpty()); });
    connect(btFindNext, &QPushButton::clicked, this, [this] {
        if (!FindText().isEmpty())
            emit Find();
    });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFindDialog::FindText() const {
    return edFindText->text();
}

bool TFindDialog::WholeWord() const {
    return chkWholeWord->isChecked();
}

bool TFindDialog::MatchCase() const {
    return chkMatchCase->isChecked();
}

bool TFindDialog::Down() const {
    return rbDown->isChecked();
}

void TFindDialog::ShowAt(const QPoint& frameTopLeft) {
    // Laid out before it is placed: a window not yet shown is placed by its frame, unless its
    // first showing resizes it, which leaves the client area where the frame should be.
    adjustSize();
    move(frameTopLeft);
    show();
    raise();
    activateWindow();
    FocusFindText();
}

void TFindDialog::FocusFindText() {
    edFindText->setFocus();
    edFindText->selectAll();
}
