#include "forms/main_window/Money_grid.h"
#include "model/Person_name.h"

#include "forms/main_window/Main_form.h"
#include "model/Money.h"
#include "platform/Guard.h"
#include "platform/Host.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

const QString Nobody = QStringLiteral("(nobody)");

// Paints a player's counts at the right of the name cell; the name gives way.
class Counts_Delegate : public QStyledItemDelegate {
public:
    Counts_Delegate(TMainForm* form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QString counts = Counts(index);
        if (counts.isEmpty()) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        QFont small = option.font;
        small.setPixelSize(11);
        const int width = QFontMetrics(small).horizontalAdvance(counts) + 8;
        QStyleOptionViewItem name = option;
        name.rect.setRight(option.rect.right() - width);
        p->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
        QStyledItemDelegate::paint(p, name, index);
        const QRect badge(option.rect.right() - width + 1, option.rect.top() + 4, width - 3, option.rect.height() - 8);
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(Qt::NoPen);
        p->setBrush(QColor(0x1d, 0x5c, 0x2e));
        p->drawRoundedRect(badge, 4, 4);
        p->setPen(Qt::white);
        p->setFont(small);
        p->drawText(badge, Qt::AlignCenter, counts);
        p->restore();
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        const Counted c = Count(index);
        if (c.rebuys + c.addons + c.knock_outs == 0)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QToolTip::showText(event->globalPos(), tr_counts(c), view);
        return true;
    }

private:
    struct Counted {
        int rebuys = 0, addons = 0, knock_outs = 0;
    };
    Counted Count(const QModelIndex& index) const
    {
        Counted c;
        if (!form_->Current_Tourney || index.column() != 0)
            return c;
        const CTourney& t = *form_->Current_Tourney;
        const QByteArray name = index.data().toString().toLatin1();
        const Entry_Money m = t.Money.Of(name);
        c.rebuys = m.Rebuys;
        c.addons = m.Addons;
        if (t.Money.Settings.Bounty > 0)
            c.knock_outs = Bounties_Won(t, name);
        return c;
    }
    QString Counts(const QModelIndex& index) const
    {
        const Counted c = Count(index);
        return Money_Grid::Counts_Text(c.rebuys, c.addons, c.knock_outs);
    }
    static QString tr_counts(const Counted& c)
    {
        return QStringLiteral("%1 rebuys, %2 add-ons, %3 players knocked out").arg(c.rebuys).arg(c.addons).arg(c.knock_outs);
    }
    TMainForm* form_;
};

} // namespace

Money_Grid::Money_Grid(TMainForm* form) : QObject(form), form_(form)
{
    Rebuy_Player = Make("Rebuy_Player", tr("Rebuy"), &Money_Grid::Rebuy_PlayerExecute);
    Addon_Player = Make("Addon_Player", tr("Add-on"), &Money_Grid::Addon_PlayerExecute);
    Undo_Rebuy = Make("Undo_Rebuy", tr("Undo Rebuy"), &Money_Grid::Undo_RebuyExecute);
    Undo_Addon = Make("Undo_Addon", tr("Undo Add-on"), &Money_Grid::Undo_AddonExecute);
    Knocked_Out_By = Make("Knocked_Out_By", tr("Knocked out by..."), &Money_Grid::Knocked_Out_ByExecute);

    QTableWidget* grid = form_->All_Grid;
    grid->setItemDelegateForColumn(0, new Counts_Delegate(form_, this));
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { Guarded([this, at] { Show_Menu(at); }); });
    // The chooser's own handler marks the player when a choice is made (an
    // item chosen, Enter, leaving it); connected after it, this one follows.
    connect(form_->IO_Combo1, &QComboBox::activated, this, [this] { Guarded([this] { After_Chooser(); }); });
    connect(form_->IO_Combo1->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { Guarded([this] { After_Chooser(); }); });
    connect(form_->Load_Tables, &QAction::triggered, this, [this] { Remember_Out(); });
}

QString Money_Grid::Counts_Text(int rebuys, int addons, int knock_outs)
{
    QStringList parts;
    if (rebuys > 0)
        parts << QStringLiteral("R%1").arg(rebuys);
    if (addons > 0)
        parts << QStringLiteral("A%1").arg(addons);
    if (knock_outs > 0)
        parts << QStringLiteral("K%1").arg(knock_outs);
    return parts.join(QLatin1Char(' '));
}

QAction* Money_Grid::Make(const char* name, const QString& caption, void (Money_Grid::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    return action;
}

QString Money_Grid::Current_Name() const
{
    const int row = form_->All_Grid->currentRow();
    const QTableWidgetItem* cell = row >= 0 ? form_->All_Grid->item(row, 0) : nullptr;
    return cell ? cell->text() : QString();
}

void Money_Grid::Show_Menu(const QPoint& at)
{
    QTableWidget* grid = form_->All_Grid;
    const int row = grid->rowAt(at.y());
    const QString name = row >= 0 && grid->item(row, 0) ? grid->item(row, 0)->text() : QString();
    if (name.isEmpty())
        return;
    grid->setCurrentCell(row, 0);
    const CTourney& t = *form_->Current_Tourney;
    const int slot = t.Find_Entry(name);
    const bool out = slot >= 0 && t.Players[slot].Place != 0;
    const Entry_Money m = t.Money.Of(name);
    auto* menu = new QMenu(grid);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's items run the commands; what does not apply to this row is greyed.
    auto item = [menu](QAction* command, bool enabled) {
        QAction* entry = menu->addAction(command->text());
        entry->setEnabled(enabled);
        connect(entry, &QAction::triggered, command, &QAction::trigger);
    };
    item(Rebuy_Player, Rebuy_Refusal(t, name, form_->CurrentLevel + 1).isEmpty());
    item(Addon_Player, !out && m.Addons == 0);
    menu->addSeparator();
    item(Undo_Rebuy, m.Rebuys > 0);
    item(Undo_Addon, m.Addons > 0);
    menu->addSeparator();
    item(Knocked_Out_By, out);
    menu->popup(grid->viewport()->mapToGlobal(at));
}

void Money_Grid::Rebuy_PlayerExecute()
{
    const QString name = Current_Name();
    if (name.isEmpty())
        return;
    Rebuy(*form_->Current_Tourney, name, form_->CurrentLevel + 1);
    Changed();
}

void Money_Grid::Addon_PlayerExecute()
{
    const QString name = Current_Name();
    if (name.isEmpty())
        return;
    Addon(*form_->Current_Tourney, name, form_->CurrentLevel + 1);
    Changed();
}

void Money_Grid::Undo_RebuyExecute()
{
    const QString name = Current_Name();
    if (name.isEmpty())
        return;
    ::Undo_Rebuy(*form_->Current_Tourney, name);
    Changed();
}

void Money_Grid::Undo_AddonExecute()
{
    const QString name = Current_Name();
    if (name.isEmpty())
        return;
    ::Undo_Addon(*form_->Current_Tourney, name);
    Changed();
}

void Money_Grid::Knocked_Out_ByExecute()
{
    const QString name = Current_Name();
    const int slot = form_->Current_Tourney->Find_Entry(name);
    if (slot < 0 || form_->Current_Tourney->Players[slot].Place == 0)
        return;
    if (Ask_Knocked_Out_By(name, false))
        Changed();
}

void Money_Grid::After_Chooser()
{
    const CTourney& t = *form_->Current_Tourney;
    const QString name = Current_Name();
    const int slot = t.Find_Entry(name);
    if (slot < 0)
        return;
    const bool out_now = t.Players[slot].Place != 0;
    const bool was_out = out_before_.contains(name);
    Remember_Out();
    if (out_now == was_out)
        return;
    if (out_now && t.Money.Settings.Bounty > 0)
        Ask_Knocked_Out_By(name, true);
    else if (!out_now && t.Money.Any())
        Store_Money(t); // his bounty went back
    if (out_now)
        Ask_Winner();
    // The chooser stays where it is: only the counts are painted again.
    form_->All_Grid->viewport()->update();
    emit form_->Clock_Changed();
}

void Money_Grid::Remember_Out()
{
    const CTourney& t = *form_->Current_Tourney;
    out_before_.clear();
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        if (t.Players[i].Place != 0)
            out_before_.insert(CTourney::Entry_Name(t.Players[i]));
}

void Money_Grid::Changed()
{
    // A rebuy may have put the player back in: the grid is rebuilt from the record.
    form_->Load_Tables->trigger();
    form_->All_Grid->viewport()->update();
    emit form_->Clock_Changed(); // the display and the phones show the new pool and stacks
}

void Money_Grid::Ask_Winner()
{
    CTourney& t = *form_->Current_Tourney;
    const QString last = Last_In(t);
    if (last.isEmpty())
        return;
    if (host().Message(tr("%1 is the last player in. Record %1 as the winner?").arg(Person_Name(last)), tr("Winner"), Buttons::OK_Cancel)
        != Answer::OK)
        return;
    Record_Winner(t, last);
    if (t.Money.Any())
        Store_Money(t);
    Remember_Out();
    form_->Load_Tables->trigger();
}

bool Money_Grid::Ask_Knocked_Out_By(const QString& name, bool now)
{
    CTourney& t = *form_->Current_Tourney;
    QDialog dialog(form_);
    dialog.setObjectName(QStringLiteral("Knocked_Out_Dlg"));
    dialog.setWindowTitle(tr("Knocked out by"));
    dialog.setMinimumWidth(300);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(tr("Who knocked %1 out?").arg(Person_Name(name)), &dialog));
    auto* choice = new QComboBox(&dialog);
    choice->setObjectName(QStringLiteral("Knocked_Out_By_Combo"));
    choice->addItem(Nobody);
    // At the knock-out only a player still in can have done it; later any
    // other entry may be credited (the knocker may be out by now).
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        if (CTourney::Entry_Name(t.Players[i]) != name && (!now || t.Players[i].Place == 0))
            choice->addItem(CTourney::Entry_Name(t.Players[i]));
    const int credited = choice->findText(QString::fromLatin1(t.Money.Of(name).Knocked_Out_By));
    choice->setCurrentIndex(std::max(credited, 0));
    layout->addWidget(choice);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (host().Show_Modal(&dialog) != QDialog::Accepted)
        return false;
    const QString by = choice->currentIndex() > 0 ? choice->currentText() : QString();
    Credit_Knock_Out(t, name, by, now);
    return true;
}
