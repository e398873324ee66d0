#include "forms/dialogs/Player_csv_dialog.h"

#include "forms/main_window/Main_form.h"
#include "forms/widgets/File_menu_items.h"
#include "model/Player.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Text_lines.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char* const Csv_Filter = "CSV Files (*.csv)|*.csv|All Files (*)|*";

QString What_Happens(const Import_Row& row)
{
    switch (row.status) {
    case Import_Status::Add: return row.note.isEmpty() ? QObject::tr("Added") : QObject::tr("Added: ") + row.note;
    case Import_Status::Duplicate: return QObject::tr("Skipped: ") + row.reason;
    case Import_Status::Refused: return QObject::tr("Not stored: ") + row.reason;
    }
    return QString();
}

QColor Row_Colour(Import_Status status)
{
    switch (status) {
    case Import_Status::Add: return QColor(0xe4, 0xf4, 0xe4);
    case Import_Status::Duplicate: return QColor(0xf0, 0xf0, 0xf0);
    case Import_Status::Refused: return QColor(0xfa, 0xdc, 0xdc);
    }
    return QColor();
}

} // namespace

TPlayer_Csv_Dlg::TPlayer_Csv_Dlg(QWidget* parent, const QString& file, const Import_Preview& preview)
    : QDialog(parent), preview_(preview)
{
    setObjectName(QStringLiteral("Player_Csv_Dlg"));
    setWindowTitle(tr("Import Players - %1").arg(File_Name_Part(file)));
    resize(860, 480);
    auto* v = new QVBoxLayout(this);
    Summary_Label = new QLabel(this);
    Summary_Label->setObjectName(QStringLiteral("Summary_Label"));
    Summary_Label->setText(tr("%1 to add, %2 already there (skipped), %3 cannot be stored. Nothing is written until you press Import.")
                               .arg(preview.Count(Import_Status::Add))
                               .arg(preview.Count(Import_Status::Duplicate))
                               .arg(preview.Count(Import_Status::Refused)) +
                           (preview.left_out.isEmpty()
                                ? QString()
                                : tr("\nColumns left out: %1.").arg(preview.left_out.join(QStringLiteral(", ")))) +
                           (preview.warnings.isEmpty() ? QString() : QLatin1Char('\n') + preview.warnings.join(QLatin1Char('\n'))));
    Summary_Label->setWordWrap(true);
    v->addWidget(Summary_Label);
    Preview_Grid = new QTableWidget(static_cast<int>(preview.rows.size()), 7, this);
    Preview_Grid->setObjectName(QStringLiteral("Preview_Grid"));
    Preview_Grid->setHorizontalHeaderLabels(
        {tr("Line"), tr("First"), tr("Last"), tr("AKA"), tr("Phone"), tr("Cell"), tr("What happens")});
    Preview_Grid->verticalHeader()->hide();
    Preview_Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Preview_Grid->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < preview.rows.size(); ++r) {
        const Import_Row& row = preview.rows[r];
        QStringList cells{QString::number(row.line)};
        for (const QString& f : row.fields)
            cells << f;
        cells << What_Happens(row);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setBackground(Row_Colour(row.status));
            item->setToolTip(cells[c]);
            // A name that differs from another only in case or blanks is
            // skipped unless ticked.
            if (c == 6 && row.near_duplicate) {
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Unchecked);
                item->setText(tr("Skipped unless ticked: ") + row.reason);
            }
            Preview_Grid->setItem(r, c, item);
        }
    }
    connect(Preview_Grid, &QTableWidget::itemChanged, this, [this] {
        Import_Btn->setEnabled(Chosen().Count(Import_Status::Add) > 0);
    });
    Preview_Grid->resizeColumnsToContents();
    v->addWidget(Preview_Grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Import_Btn = new QPushButton(tr("Import"), this);
    Import_Btn->setObjectName(QStringLiteral("Import_Btn"));
    Import_Btn->setEnabled(preview.Count(Import_Status::Add) > 0);
    Cancel_Btn = new QPushButton(tr("Cancel"), this);
    Cancel_Btn->setObjectName(QStringLiteral("Cancel_Btn"));
    buttons->addWidget(Import_Btn);
    buttons->addWidget(Cancel_Btn);
    v->addLayout(buttons);
    connect(Import_Btn, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel_Btn, &QPushButton::clicked, this, &QDialog::reject);
}

Import_Preview TPlayer_Csv_Dlg::Chosen() const
{
    Import_Preview chosen = preview_;
    for (int r = 0; r < chosen.rows.size(); ++r) {
        const QTableWidgetItem* item = Preview_Grid->item(r, 6);
        if (chosen.rows[r].near_duplicate && item && item->checkState() == Qt::Checked)
            chosen.rows[r].status = Import_Status::Add;
    }
    return chosen;
}

Player_Csv_Commands::Player_Csv_Commands(TMainForm* form) : QObject(form), form_(form)
{
    Import_Players = new QAction(tr("Import Players..."), form);
    Import_Players->setObjectName(QStringLiteral("Import_Players"));
    connect(Import_Players, &QAction::triggered, this, [this] { Guarded([this] { Import_PlayersExecute(); }); });
    Export_Players = new QAction(tr("Export Players..."), form);
    Export_Players->setObjectName(QStringLiteral("Export_Players"));
    connect(Export_Players, &QAction::triggered, this, [this] { Guarded([this] { Export_PlayersExecute(); }); });

    // File menu: after the tournament commands, before Exit.
    const QList<QAction*> items = Insert_File_Items(form->menuBar(), form->Exit1,
                                                    {{QStringLiteral("ImportPlayers1"), Import_Players},
                                                     {QStringLiteral("ExportPlayers1"), Export_Players}});
    if (items.size() == 2)
        ImportPlayers1 = items[0], ExportPlayers1 = items[1];
}

void Player_Csv_Commands::Import_PlayersExecute()
{
    File_Dialog d;
    d.title = tr("Import Players");
    d.filter = QString::fromLatin1(Csv_Filter);
    d.initial_dir = User_Folder();
    d.default_ext = QStringLiteral("csv");
    d.must_exist = true;
    const QString path = host().Open_File(form_, d);
    if (path.isEmpty())
        return;
    const Import_Preview preview = Preview_Import(Read_Csv_File(path), Player_DB);
    if (!preview.error.isEmpty()) {
        host().Message(preview.error, tr("Import Players"), Buttons::OK);
        return;
    }
    TPlayer_Csv_Dlg dialog(form_, path, preview);
    if (host().Show_Modal(&dialog) != QDialog::Accepted)
        return;
    const Import_Preview chosen = dialog.Chosen();
    const int added = ::Import_Players(Player_DB, chosen);
    form_->Load_Available->trigger();
    if (added < chosen.Count(Import_Status::Add))
        host().Message(tr("%1 of the %2 players chosen were added: the database holds at most %3 players.")
                           .arg(added)
                           .arg(chosen.Count(Import_Status::Add))
                           .arg(Max_Players),
                       tr("Import Players"), Buttons::OK);
}

void Player_Csv_Commands::Export_PlayersExecute()
{
    File_Dialog d;
    d.title = tr("Export Players");
    d.filter = QString::fromLatin1(Csv_Filter);
    d.initial_dir = User_Folder();
    d.default_ext = QStringLiteral("csv");
    // Players that would not come back by an import are named before the file is written.
    QStringList problems;
    for (const Export_Problem& p : ::Export_Problems(Player_DB))
        problems << p.text;
    if (!problems.isEmpty() &&
        host().Message(tr("These players would not come back as they are when the file is imported:\n%1\n"
                          "Do you wish to continue?")
                           .arg(problems.join(QLatin1Char('\n'))),
                       tr("Export Players"), Buttons::OK_Cancel) != Answer::OK)
        return;
    const QString path = host().Save_File(form_, d);
    if (path.isEmpty())
        return;
    Write_File_Atomic(With_Default_Ext(path, d.default_ext), ::Export_Players(Player_DB));
}
