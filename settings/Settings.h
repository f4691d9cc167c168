#pragma once

#include "model/DateTime.h"
#include "model/DisplaySettings.h"
#include "widgets/GroupBox.h"

#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

// TColor is 0x00BBGGRR.
QColor ToQColor(TColor color);
TColor ToTColor(const QColor& color);

// A small panel showing one colour inside a thin sunken frame; it reacts to mouse clicks only.
class TColorPanel : public QFrame {
    Q_OBJECT
public:
    explicit TColorPanel(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor color_ = Qt::black;
    bool pressed_ = false;
};

// A group box of radio buttons in one column whose selection may also be "none" (-1), which a
// plain exclusive QButtonGroup cannot represent once an item has been checked. The group is one
// tab stop, on the selected item (the first when none); arrow keys move within it.
class TRadioGroup : public TGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(items_.size()); }
    QRadioButton* Item(int index) const;

    // The selected item, -1 when none.
    int ItemIndex() const;
    // An index outside 0..Count()-1 selects nothing.
    void SetItemIndex(int index);

signals:
    // The selection changed, by the user or by code.
    void ItemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrangeItems();
    void ItemToggled();
    void UpdateTabStop();

    std::vector<QRadioButton*> items_;
    QButtonGroup* group_;
    int itemIndex_ = -1;
};

// The settings window: an always-on-top, semi-transparent tool window that edits the global
// `DisplaySettings` record while the charts behind it redraw. While a modal window of the program
// other than its own help box is open (widgets/StayOnTop) it gives up staying on top, and takes it
// back when the last one closes.
//
// The record is the one source of truth. The controls write every change into it, and an
// observer on the record sets the controls again, so the two agree whoever changed the record
// (the user here, loading the settings file, `RestoreDefaults`).
//
// Connection point: the window runs no analysis refresh of its own. The main window sets it up
// through the record, once its start-up sequence is done:
//     DisplaySettings.SetAnalysisRefresh([this] { actAnalysis->trigger(); });
//     DisplaySettings.ConnectSettingsOnChange();
// From then on every check box and the radio group run `DisplaySettings.SettingsOnChange()`
// (the rule of the cycle flags, then the refresh), and the colour panels and "По умолчанию" ask
// for the refresh through `DisplaySettings.RunAnalysisRefresh()`.
//
// Show it with show(): the first time it appears centred over the main window, later where the
// user left it; showing it while visible brings it to the front. Closing it only hides it.
class TSettingsForm : public QWidget {
    Q_OBJECT
public:
    // Owned by the main window; starts hidden.
    explicit TSettingsForm(QWidget* mainWindow);
    ~TSettingsForm() override;

    void setVisible(bool visible) override;

protected:
    // The colour dialog: the chosen colour, or nothing when cancelled. Tests replace it.
    virtual std::optional<QColor> PickColor(const QColor& initial);

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Person { Woman, Man };

    // Handlers, named after the events that run them.
    void FormShow();           // shown: the slider takes the window's opacity
    void FormActivate();       // activated: the colour panels repaint
    void spHelpClick();        // the help box, modal to this window only
    void pnColorWomanClick();  // the colour dialog for the woman, then the refresh
    void pnColorManClick();    // the colour dialog for the man, then the refresh
    void tbAlphaBlendChange(); // the opacity and the slider's hint; no refresh
    void btDefaultClick();     // DisplaySettings.RestoreDefaults()
    void btCloseClick();       // hides the window

    // The controls, named as their settings keys (their object names, by which tests find
    // them). Setting a control writes the record as the user's change would.
    TRadioGroup* rgGraphics;
    TColorPanel* pnColorWoman;
    TColorPanel* pnColorMan;
    QGroupBox* gbGraph;
    QCheckBox* cbOrdinate_Y;
    QCheckBox* cbAbscissa_X;
    QCheckBox* cbAxis;
    QCheckBox* cbMonthNumbers;
    QGroupBox* gbPeriods;
    QCheckBox* chkPhysical;
    QCheckBox* chkEmotional;
    QCheckBox* chkSavvy;
    QCheckBox* chkWarmhearted;
    QToolButton* spHelp;
    QGroupBox* gbAlphaBlend;
    QSlider* tbAlphaBlend;
    QPushButton* btDefault;
    QPushButton* btClose;

    void CreateControls();
    // Every caption and hint in the language in use; runs again whenever a language is loaded.
    void ApplyTexts();
    void ShowOpacityHint();
    void SetTabOrder();
    void ConnectControls();
    void CentreOverMainWindow();
    void ChangeColor(Person person);
    // Sets the control of one field from the record.
    void ShowField(SettingsField field, DisplayFlag flag);
    void ShowAllFields();
    QCheckBox* FlagBox(DisplayFlag flag) const;

    std::array<QCheckBox*, 8> flagBoxes_{}; // in DisplayFlag order
    QColor colorDialogColor_ = Qt::black;   // last confirmed, shared by both panels
    bool placed_ = false;
    int observerId_ = 0;
    int languageObserverId_ = 0;
};
