#include "main/CoupleDialogs.h"

#include "platform/Dates.h"
#include "platform/Translation.h"
#include "widgets/SaveFile.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QLabel* NewLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText); // a language file's text is no markup
    return label;
}

QPushButton* NewButton(QDialogButtonBox* buttons, const char* name, TTextKey caption,
                       QDialogButtonBox::ButtonRole role) {
    QPushButton* button = buttons->addButton(Tr(caption), role);
    button->setObjectName(QLatin1String(name));
    return button;
}

// The list: a filter line over a table of names and dates of birth.
class TCoupleList final : public QDialog {
public:
    TCoupleList(QWidget* parent, const TCoupleStore& store, const std::string& current)
        : QDialog(parent), store_(store) {
        setObjectName(QStringLiteral("dlgChooseCouple"));
        setWindowTitle(Tr({"Couples", "List.Caption"}));
        auto* layout = new QVBoxLayout(this);
        auto* row = new QHBoxLayout;
        QLabel* label = NewLabel(Tr({"Couples", "List.Find"}), this);
        filter_ = new QLineEdit(this);
        filter_->setObjectName(QStringLiteral("edFindCouple"));
        filter_->setClearButtonEnabled(true);
        filter_->installEventFilter(this);
        label->setBuddy(filter_);
        row->addWidget(label);
        row->addWidget(filter_);
        layout->addLayout(row);

        list_ = new QTreeWidget(this);
        list_->setObjectName(QStringLiteral("lvCouples"));
        list_->setRootIsDecorated(false);
        list_->setAllColumnsShowFocus(true);
        list_->setHeaderLabels({Tr({"Couples", "List.Name"}), Text(TextOf({"Couple", "Man"})),
                                Text(TextOf({"Couple", "Woman"}))});
        list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        list_->header()->setStretchLastSection(false);
        list_->setMinimumSize(560, 300);
        layout->addWidget(list_);
        empty_ = NewLabel(Tr({"Couples", "List.Empty"}), this);
        empty_->setWordWrap(true);
        layout->addWidget(empty_);

        auto* buttons = new QDialogButtonBox(this);
        choose_ = NewButton(buttons, "btChoose", {"Couples", "List.Choose"},
                            QDialogButtonBox::AcceptRole);
        choose_->setDefault(true);
        rename_ = NewButton(buttons, "btRename", {"Couples", "List.Rename"},
                            QDialogButtonBox::ActionRole);
        delete_ = NewButton(buttons, "btDelete", {"Couples", "List.Delete"},
                            QDialogButtonBox::ActionRole);
        NewButton(buttons, "btClose", {"Couples", "List.Close"}, QDialogButtonBox::RejectRole);
        layout->addWidget(buttons);

        connect(filter_, &QLineEdit::textChanged, this, [this] { Narrow(); });
        connect(list_, &QTreeWidget::currentItemChanged, this, [this] { Follow(); });
        connect(list_, &QTreeWidget::itemActivated, this, [this] { accept(); });
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(rename_, &QPushButton::clicked, this, [this] { Rename(); });
        connect(delete_, &QPushButton::clicked, this, [this] { Delete(); });
        Fill(current);
        filter_->setFocus();
    }

    std::optional<TStoredCouple> Chosen() const {
        const QTreeWidgetItem* item = list_->currentItem();
        if (!item || item->isHidden())
            return std::nullopt;
        return couples_[item->data(0, Qt::UserRole).toULongLong()];
    }

protected:
    // Up, down and the page keys move in the list while the user types in the filter.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == filter_ && event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(list_, event);
                return true;
            default:
                break;
            }
        }
        return QDialog::eventFilter(watched, event);
    }

private:
    // The stored couples anew, the one named `current` kept current.
    void Fill(const std::string& current) {
        couples_ = store_.Read();
        QCollator collator(TextLocale());
        std::vector<std::size_t> order(couples_.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::vector<QString> names;
        for (const TStoredCouple& couple : couples_)
            names.push_back(Text(couple.Name));
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return collator.compare(names[a], names[b]) < 0;
        });
        list_->clear();
        QTreeWidgetItem* keep = nullptr;
        for (const std::size_t i : order) {
            auto* item = new QTreeWidgetItem(
                list_, {names[i], LongDate(couples_[i].Man), LongDate(couples_[i].Woman)});
            item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
            if (couples_[i].Name == current)
                keep = item;
        }
        list_->resizeColumnToContents(1);
        list_->resizeColumnToContents(2);
        list_->setVisible(!couples_.empty());
        empty_->setVisible(couples_.empty());
        filter_->setEnabled(!couples_.empty());
        Narrow(keep);
    }

    // Hides the couples whose names do not hold the filter's text; the current one stays when
    // it is shown, else the first shown becomes current.
    void Narrow(QTreeWidgetItem* keep = nullptr) {
        const QString text = filter_->text().trimmed();
        QTreeWidgetItem* first = nullptr;
        if (!keep)
            keep = list_->currentItem();
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list_->topLevelItem(i);
            item->setHidden(!item->text(0).contains(text, Qt::CaseInsensitive));
            if (!item->isHidden() && !first)
                first = item;
        }
        list_->setCurrentItem(keep && !keep->isHidden() ? keep : first);
        if (list_->currentItem())
            list_->scrollToItem(list_->currentItem());
        Follow();
    }

    void Follow() {
        const bool any = Chosen().has_value();
        for (QPushButton* button : {choose_, rename_, delete_})
            button->setEnabled(any);
    }

    void Rename() {
        const auto couple = Chosen();
        if (!couple)
            return;
        const auto name = AskCoupleName(
            this, Tr({"Couples", "Rename.Caption"}), Text(couple->Name),
            [this, &couple](const std::string& wanted) {
                return wanted != couple->Name &&
                       std::any_of(couples_.begin(), couples_.end(),
                                   [&](const TStoredCouple& c) { return c.Name == wanted; });
            });
        if (name && *name != couple->Name && store_.Rename(couple->Name, *name))
            Fill(*name);
        else if (name)
            Fill(couple->Name);
    }

    void Delete() {
        const auto couple = Chosen();
        if (!couple || !AskYesNo(this, "DeleteQuestion",
                                 TrFormat({"Couples", "Delete.Question"}, {Text(couple->Name)})))
            return;
        store_.Delete(couple->Name);
        Fill({});
    }

    const TCoupleStore& store_;
    std::vector<TStoredCouple> couples_;
    QLineEdit* filter_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* empty_ = nullptr;
    QPushButton* choose_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* delete_ = nullptr;
};

} // namespace

std::optional<TStoredCouple> ChooseCouple(QWidget* parent, const TCoupleStore& store,
                                          const std::string& current) {
    TCoupleList dialog(parent, store, current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}

std::optional<std::string> AskCoupleName(QWidget* parent, const QString& caption,
                                         const QString& proposed,
                                         const std::function<bool(const std::string&)>& taken) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgCoupleName"));
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    QLabel* label = NewLabel(Tr({"Couples", "Name"}), &dialog);
    auto* edit = new QLineEdit(proposed, &dialog);
    edit->setObjectName(QStringLiteral("edCoupleName"));
    edit->setToolTip(Tr({"Couples", "Name.Hint"}));
    edit->setMinimumWidth(320);
    edit->selectAll();
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok =
        NewButton(buttons, "btOK", {"Couples", "Name.OK"}, QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    NewButton(buttons, "btCancel", {"Couples", "Name.Cancel"}, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto name = [edit] { return CoupleName(edit->text().toStdString()); };
    const auto follow = [ok, name] { ok->setEnabled(name().has_value()); };
    follow();
    QObject::connect(edit, &QLineEdit::textChanged, &dialog, follow);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const auto wanted = name();
        if (wanted && (!taken(*wanted) ||
                       AskYesNo(&dialog, "ReplaceCoupleQuestion",
                                TrFormat({"Couples", "Replace.Question"}, {Text(*wanted)}))))
            dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return name();
}
