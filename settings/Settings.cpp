#include "settings/Settings.h"

#include "platform/Translation.h"
#include "widgets/Accessibility.h"
#include "widgets/Fonts.h"
#include "widgets/ImageList.h"
#include "widgets/StayOnTop.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

QColor ToQColor(TColor color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

TColor ToTColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<TColor>(rgb.red()) | static_cast<TColor>(rgb.green()) << 8 |
           static_cast<TColor>(rgb.blue()) << 16;
}

// --- TColorPanel ---

TColorPanel::TColorPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}

void TColorPanel::SetColor(const QColor& color) {
    if (color == color_)
        return;
    color_ = color;
    update();
}

void TColorPanel::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(contentsRect(), color_);
    QFrame::paintEvent(event);
}

// A click is a press and a release inside the panel, like a button's.
void TColorPanel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit Clicked();
}

// --- TRadioGroup ---

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : TGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], this);
        group_->addButton(item, i);
        items_.push_back(item);
        connect(item, &QAbstractButton::toggled, this, &TRadioGroup::ItemToggled);
    }
    ArrangeItems();
    UpdateTabStop();
}

QRadioButton* TRadioGroup::Item(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

int TRadioGroup::ItemIndex() const {
    return itemIndex_;
}

void TRadioGroup::SetItemIndex(int index) {
    if (QRadioButton* item = Item(index)) {
        item->setChecked(true);
        return;
    }
    if (QAbstractButton* checked = group_->checkedButton()) {
        // An exclusive group refuses to uncheck its checked button.
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

// Items share the height below the caption line evenly, spare pixels split above and below.
// The caption line is the 13 pixels of the 8-point interface font at 96 dpi, not the current
// font's, so that the colour panels beside the items stay level with them.
void TRadioGroup::ArrangeItems() {
    if (items_.empty())
        return;
    constexpr int captionHeight = 13;
    const int count = Count();
    const int free = height() - captionHeight - 5;
    const int itemHeight = free / count;
    const int top = captionHeight + 1 + free % count / 2;
    for (int i = 0; i < count; ++i)
        items_[static_cast<std::size_t>(i)]->setGeometry(8, top + i * itemHeight, width() - 10,
                                                         itemHeight);
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    TGroupBox::resizeEvent(event);
    ArrangeItems();
}

// Called for each toggle; while one item takes over from another, the first toggle already sees
// the new item checked.
void TRadioGroup::ItemToggled() {
    int index = -1;
    for (int i = 0; i < Count() && index < 0; ++i)
        if (items_[static_cast<std::size_t>(i)]->isChecked())
            index = i;
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    UpdateTabStop();
    emit ItemIndexChanged(index);
}

// Qt would tab into the group at its first item whichever is selected.
void TRadioGroup::UpdateTabStop() {
    const int stop = std::max(itemIndex_, 0);
    for (int i = 0; i < Count(); ++i)
        items_[static_cast<std::size_t>(i)]->setFocusPolicy(i == stop ? Qt::StrongFocus
                                                                      : Qt::ClickFocus);
}

// --- TSettingsForm ---

namespace {

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

QCheckBox* NewCheckBox(const char* name, QWidget* parent, const QRect& geometry) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QGroupBox* NewGroupBox(const char* name, QWidget* parent, const QRect& geometry) {
    auto* box = new TGroupBox(QString(), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

// A group box caption has a blank on each side.
QString Caption(TTextKey key) {
    return QLatin1Char(' ') + Tr(key) + QLatin1Char(' ');
}

} // namespace

TSettingsForm::TSettingsForm(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setFont(WindowFont());
    setFixedSize(362, 198);
    // Never over a window the user must answer: a viewer, a dialog, a question, an error box.
    new TStayOnTop(this, TStayOnTop::TWhile::Unblocked);
    CreateControls();
    ApplyTexts();
    languageObserverId_ = AddLanguageObserver([this] { ApplyTexts(); });
    SetTabOrder();
    ConnectControls();
    setWindowOpacity(tbAlphaBlend->value() / 255.0);

    // From here on the record leads; a value it already holds changes no control.
    observerId_ = DisplaySettings.AddObserver(
        [this](SettingsField field, DisplayFlag flag) { ShowField(field, flag); });
    ShowAllFields();
}

TSettingsForm::~TSettingsForm() {
    DisplaySettings.RemoveObserver(observerId_);
    RemoveLanguageObserver(languageObserverId_);
}

void TSettingsForm::CreateControls() {
    rgGraphics = new TRadioGroup(QString(), QStringList(3, QString()), this);
    rgGraphics->setObjectName(QStringLiteral("rgGraphics"));
    rgGraphics->setGeometry(8, 8, 150, 80);
    rgGraphics->SetItemIndex(0);

    // Created after the radio group, so they stand above it, beside its last two items.
    pnColorWoman = new TColorPanel(this);
    pnColorWoman->setObjectName(QStringLiteral("pnColorWoman"));
    pnColorWoman->setGeometry(125, 43, 20, 20);
    pnColorWoman->SetColor(ToQColor(clRed));

    pnColorMan = new TColorPanel(this);
    pnColorMan->setObjectName(QStringLiteral("pnColorMan"));
    pnColorMan->setGeometry(125, 64, 20, 20);
    pnColorMan->SetColor(ToQColor(clBlue));

    gbGraph = NewGroupBox("gbGraph", this, {8, 88, 150, 89});
    cbOrdinate_Y = NewCheckBox("cbOrdinate_Y", gbGraph, {8, 16, 127, 17});
    cbAbscissa_X = NewCheckBox("cbAbscissa_X", gbGraph, {8, 32, 127, 17});
    cbAxis = NewCheckBox("cbAxis", gbGraph, {8, 48, 127, 17});
    cbMonthNumbers = NewCheckBox("cbMonthNumbers", gbGraph, {8, 64, 127, 17});

    gbPeriods = NewGroupBox("gbPeriods", this, {168, 8, 185, 97});
    chkPhysical = NewCheckBox("chkPhysical", gbPeriods, {8, 15, 118, 17});
    chkEmotional = NewCheckBox("chkEmotional", gbPeriods, {8, 35, 118, 17});
    chkSavvy = NewCheckBox("chkSavvy", gbPeriods, {8, 55, 118, 17});
    chkWarmhearted = NewCheckBox("chkWarmhearted", gbPeriods, {8, 75, 118, 17});

    spHelp = new QToolButton(gbPeriods);
    spHelp->setObjectName(QStringLiteral("spHelp"));
    spHelp->setGeometry(152, 16, 23, 22);
    spHelp->setAutoRaise(true);
    spHelp->setFocusPolicy(Qt::NoFocus);
    spHelp->setIcon(ButtonIcon(QStringLiteral("spHelp")));
    spHelp->setIconSize(QSize(16, 16));

    gbAlphaBlend = NewGroupBox("gbAlphaBlend", this, {168, 112, 185, 41});
    tbAlphaBlend = new QSlider(Qt::Horizontal, gbAlphaBlend);
    tbAlphaBlend->setObjectName(QStringLiteral("tbAlphaBlend"));
    tbAlphaBlend->setGeometry(2, 15, 181, 24);
    tbAlphaBlend->setRange(TDisplaySettings::MinOpacity, TDisplaySettings::MaxOpacity);
    tbAlphaBlend->setValue(TDisplaySettings::DefaultOpacity);
    tbAlphaBlend->setTickPosition(QSlider::NoTicks);

    btDefault = new QPushButton(this);
    btDefault->setObjectName(QStringLiteral("btDefault"));
    btDefault->setGeometry(181, 163, 90, 25);
    btClose = new QPushButton(this);
    btClose->setObjectName(QStringLiteral("btClose"));
    btClose->setGeometry(278, 163, 75, 25);

    flagBoxes_ = {chkPhysical,  chkEmotional, chkSavvy, chkWarmhearted,
                  cbOrdinate_Y, cbAbscissa_X, cbAxis,   cbMonthNumbers};
}

void TSettingsForm::ApplyTexts() {
    setWindowTitle(Tr({"SettingsForm", "Caption"}));
    rgGraphics->setTitle(Caption({"SettingsForm", "rgGraphics"}));
    rgGraphics->Item(0)->setText(Tr({"SettingsForm", "rgGraphics.Item0"}));
    rgGraphics->Item(1)->setText(Tr({"SettingsForm", "rgGraphics.Item1"}));
    rgGraphics->Item(2)->setText(Tr({"SettingsForm", "rgGraphics.Item2"}));
    SetHint(pnColorWoman, Tr({"SettingsForm", "pnColorWoman.Hint"}));
    SetHint(pnColorMan, Tr({"SettingsForm", "pnColorMan.Hint"}));
    gbGraph->setTitle(Caption({"SettingsForm", "gbGraph"}));
    cbOrdinate_Y->setText(Tr({"SettingsForm", "cbOrdinate_Y"}));
    cbAbscissa_X->setText(Tr({"SettingsForm", "cbAbscissa_X"}));
    cbAxis->setText(Tr({"SettingsForm", "cbAxis"}));
    cbMonthNumbers->setText(Tr({"SettingsForm", "cbMonthNumbers"}));
    gbPeriods->setTitle(Caption({"SettingsForm", "gbPeriods"}));
    chkPhysical->setText(Tr({"SettingsForm", "chkPhysical"}));
    chkEmotional->setText(Tr({"SettingsForm", "chkEmotional"}));
    chkSavvy->setText(Tr({"SettingsForm", "chkSavvy"}));
    chkWarmhearted->setText(Tr({"SettingsForm", "chkWarmhearted"}));
    SetHint(spHelp, Tr({"SettingsForm", "spHelp.Hint"}));
    gbAlphaBlend->setTitle(Caption({"SettingsForm", "gbAlphaBlend"}));
    btDefault->setText(Tr({"SettingsForm", "btDefault"}));
    btClose->setText(Tr({"SettingsForm", "btClose"}));
    // The slider has no hint until it first moves.
    if (!tbAlphaBlend->toolTip().isEmpty())
        ShowOpacityHint();
    DescribeForAssistiveTechnologies(this);
}

void TSettingsForm::ShowOpacityHint() {
    const int percent = 100 - tbAlphaBlend->value() * 100 / tbAlphaBlend->maximum();
    SetHint(tbAlphaBlend,
            TrFormat({"SettingsForm", "tbAlphaBlend.Hint"}, {QString::number(percent)}));
}

void TSettingsForm::SetTabOrder() {
    QList<QWidget*> order;
    for (int i = 0; i < rgGraphics->Count(); ++i)
        order.append(rgGraphics->Item(i));
    order << btClose << chkPhysical << chkEmotional << chkSavvy << chkWarmhearted << tbAlphaBlend
          << btDefault << cbAbscissa_X << cbAxis << cbMonthNumbers << cbOrdinate_Y;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TSettingsForm::ConnectControls() {
    connect(rgGraphics, &TRadioGroup::ItemIndexChanged, this,
            [](int index) { DisplaySettings.SetDisplayMode(index); });
    for (std::size_t i = 0; i < flagBoxes_.size(); ++i) {
        const auto flag = static_cast<DisplayFlag>(i);
        connect(flagBoxes_[i], &QCheckBox::toggled, this,
                [flag](bool on) { DisplaySettings.SetFlag(flag, on); });
    }
    connect(pnColorWoman, &TColorPanel::Clicked, this, &TSettingsForm::pnColorWomanClick);
    connect(pnColorMan, &TColorPanel::Clicked, this, &TSettingsForm::pnColorManClick);
    connect(spHelp, &QToolButton::clicked, this, &TSettingsForm::spHelpClick);
    connect(tbAlphaBlend, &QSlider::valueChanged, this, &TSettingsForm::tbAlphaBlendChange);
    connect(btDefault, &QPushButton::clicked, this, &TSettingsForm::btDefaultClick);
    connect(btClose, &QPushButton::clicked, this, &TSettingsForm::btCloseClick);
}

QCheckBox* TSettingsForm::FlagBox(DisplayFlag flag) const {
    return flagBoxes_[static_cast<std::size_t>(flag)];
}

void TSettingsForm::ShowField(SettingsField field, DisplayFlag flag) {
    switch (field) {
    case SettingsField::DisplayMode:
        rgGraphics->SetItemIndex(DisplaySettings.DisplayMode());
        break;
    case SettingsField::Flag:
        FlagBox(flag)->setChecked(DisplaySettings.Flag(flag));
        break;
    case SettingsField::ManColor:
        pnColorMan->SetColor(ToQColor(DisplaySettings.ManColor()));
        break;
    case SettingsField::WomanColor:
        pnColorWoman->SetColor(ToQColor(DisplaySettings.WomanColor()));
        break;
    case SettingsField::SettingsOpacity:
        // Runs tbAlphaBlendChange when the position really changes.
        tbAlphaBlend->setValue(DisplaySettings.SettingsOpacity());
        break;
    }
}

void TSettingsForm::ShowAllFields() {
    ShowField(SettingsField::DisplayMode, {});
    for (std::size_t i = 0; i < flagBoxes_.size(); ++i)
        ShowField(SettingsField::Flag, static_cast<DisplayFlag>(i));
    ShowField(SettingsField::ManColor, {});
    ShowField(SettingsField::WomanColor, {});
    ShowField(SettingsField::SettingsOpacity, {});
}

void TSettingsForm::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        CentreOverMainWindow();
    }
    QWidget::setVisible(visible);
    if (visible) {
        raise();
        activateWindow();
    }
}

void TSettingsForm::CentreOverMainWindow() {
    QRect over;
    if (QWidget* owner = parentWidget())
        over = owner->window()->frameGeometry();
    else if (const QScreen* s = screen())
        over = s->availableGeometry();
    else
        return;
    // The frame is not known before the first show; the client area stands in for it.
    move(over.center() - QPoint(width() / 2, height() / 2));
}

void TSettingsForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TSettingsForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TSettingsForm::FormShow() {
    // Both already agree unless someone set the window's opacity behind the slider's back.
    tbAlphaBlend->setValue(qRound(windowOpacity() * 255));
}

void TSettingsForm::FormActivate() {
    // The panels always paint their own colour opaquely; activation only repaints them.
    for (TColorPanel* panel : {pnColorWoman, pnColorMan})
        panel->update();
}

void TSettingsForm::spHelpClick() {
    // Not exec(): the box must not block the event loop, so it can be checked and closed.
    const QString text = Tr({"SettingsForm", "HelpBox.Text"}) + QStringLiteral("\n - ") +
                         Tr({"SettingsForm", "HelpBox.Item1"}) + QStringLiteral("\n - ") +
                         Tr({"SettingsForm", "HelpBox.Item2"});
    auto* box = new QMessageBox(QMessageBox::Information, Tr({"SettingsForm", "HelpBox.Caption"}),
                                text, QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TSettingsForm::pnColorWomanClick() {
    ChangeColor(Person::Woman);
}

void TSettingsForm::pnColorManClick() {
    ChangeColor(Person::Man);
}

void TSettingsForm::ChangeColor(Person person) {
    TColor color =
        person == Person::Woman ? DisplaySettings.WomanColor() : DisplaySettings.ManColor();
    if (const std::optional<QColor> picked = PickColor(colorDialogColor_)) {
        colorDialogColor_ = *picked;
        color = ToTColor(*picked);
    }
    // Cancelled too: the person gets the panel's colour again and the charts redraw.
    if (person == Person::Woman)
        DisplaySettings.ChangeWomanColor(color);
    else
        DisplaySettings.ChangeManColor(color);
}

std::optional<QColor> TSettingsForm::PickColor(const QColor& initial) {
    QColorDialog dialog(initial, this);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    // Qt's own on every desktop, in the program's language like the rest.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

void TSettingsForm::tbAlphaBlendChange() {
    const int position = tbAlphaBlend->value();
    DisplaySettings.SetSettingsOpacity(position);
    setWindowOpacity(position / 255.0);
    ShowOpacityHint();
}

void TSettingsForm::btDefaultClick() {
    DisplaySettings.RestoreDefaults();
}

void TSettingsForm::btCloseClick() {
    close();
}
