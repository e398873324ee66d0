// Players page, group "Seating": the ten table lists, "Edit..." (the seating
// dialog) and "Report..." (the seating report).
#include "forms/main_window/Main_form.h"

#include "forms/widgets/On_first_use.h"
#include "forms/dialogs/Seat_form.h"
#include "model/Table_balance.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "reports/Report_gen.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

namespace {

constexpr int Table_Lists = 10;

// List order: text compared without regard to case ("10 Zed,Ray" before
// "2 Al,Bo"); texts equal but for case keep a fixed order.
void Sort_List_Texts(QStringList& texts)
{
    std::sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace

void TMainForm::Build_Seating_Group()
{
    Seating_Group = new QGroupBox(tr("Seating"), Players_Sheet);
    Seating_Group->setObjectName(QStringLiteral("Seating_Group"));
    Seating_Group->setGeometry(10, 338, 701, 292);

    // Two rows of five tables; the buttons at the right.
    constexpr int list_width = 114;
    constexpr int list_height = 112;
    for (int t = 0; t < Table_Lists; ++t) {
        const int x = 8 + (t % 5) * (list_width + 5);
        const int y = 18 + (t / 5) * (list_height + 24);
        auto* label = new QLabel(tr("Table %1:").arg(t + 1), Seating_Group);
        label->setObjectName(QStringLiteral("Table%1_Label").arg(t + 1));
        label->setGeometry(x, y, list_width, 16);
        auto* list = new QListWidget(Seating_Group);
        list->setObjectName(QStringLiteral("Table%1_List").arg(t + 1));
        list->setGeometry(x, y + 17, list_width, list_height);
        list->setFocusPolicy(Qt::NoFocus);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        Table_List[t] = list;
    }

    Button1 = new QPushButton(tr("Edit..."), Seating_Group);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(tr("Edit Tables"));
    Button1->setGeometry(606, 35, 87, 30);
    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { Button1Click(); }); });

    // The button keeps its own caption; the command's is the menu's.
    Button2 = new QPushButton(tr("Report..."), Seating_Group);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setToolTip(tr("Create Seating Report"));
    Button2->setGeometry(606, 73, 87, 30);
    Button2->setEnabled(Create_Seating->isEnabled());
    connect(Create_Seating, &QAction::enabledChanged, Button2, &QPushButton::setEnabled);
    connect(Button2, &QPushButton::clicked, Create_Seating, &QAction::trigger);

    Balance_Hint = new QLabel(tr("The tables differ by two or more players: Edit... and Balance evens them out."),
                              Seating_Group);
    Balance_Hint->setObjectName(QStringLiteral("Balance_Hint"));
    Balance_Hint->setWordWrap(true);
    Balance_Hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Balance_Hint->setGeometry(606, 113, 90, 100);
    QPalette hint_palette = Balance_Hint->palette();
    hint_palette.setColor(QPalette::WindowText, QColor(160, 0, 0));
    Balance_Hint->setPalette(hint_palette);
    Balance_Hint->hide();
}

void TMainForm::Load_SeatingExecute()
{
    QStringList texts[Table_Lists];
    const CTourney& t = *Current_Tourney;
    for (int i = 0; i < Max_Entries && t.Players[i].Name[0] != '\0'; ++i) {
        const CTourneyPlayer& entry = t.Players[i];
        // A table outside 1 to 10 (a hand-edited file) shows in no list.
        if (entry.Table < 0 || entry.Table >= Table_Lists)
            continue;
        texts[entry.Table] << QStringLiteral("%1 %2").arg(entry.Seat + 1).arg(CTourney::Entry_Name(entry));
    }
    for (int table = 0; table < Table_Lists; ++table) {
        Sort_List_Texts(texts[table]);
        Table_List[table]->clear();
        Table_List[table]->addItems(texts[table]);
    }

    std::vector<Balance_Seat> seats;
    for (int i = 0; i < Max_Entries && t.Players[i].Name[0] != '\0'; ++i)
        seats.push_back({t.Players[i].Table, t.Players[i].Seat, t.Players[i].Place == 0});
    Balance_Hint->setVisible(Tables_Uneven(seats));
}

void TMainForm::Button1Click()
{
    host().Show_Modal(On_First_Use(Seat_Form, this));
}

void TMainForm::Create_SeatingExecute()
{
    const QString path = Write_Seating(*Current_Tourney);
    Open_Report(path);
}
