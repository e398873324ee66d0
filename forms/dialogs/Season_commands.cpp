#include "forms/dialogs/Season_commands.h"

#include "forms/display/Players_display.h"
#include "forms/dialogs/Season_dialog.h"
#include "forms/main_window/Main_form.h"
#include "model/Player_names.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <system_error>

namespace {
const char* const Section = "Season";
const char* const Current_Key = "Current";
constexpr int Panel_Rows = 10;
constexpr qint64 Panel_Refresh_Ms = 10000; // the files are read again at most this often

QMenu* Menu_Named(QMenuBar* bar, const QString& text)
{
    for (QAction* a : bar->actions())
        if (a->menu() && a->text() == text)
            return a->menu();
    return nullptr;
}
} // namespace

Season_Commands::Season_Commands(TMainForm* form) : QObject(form), form_(form)
{
    Edit_Season = new QAction(tr("Season..."), form);
    Edit_Season->setObjectName(QStringLiteral("Edit_Season"));
    Edit_Season->setToolTip(tr("Seasons: their tournaments, points and standings"));
    connect(Edit_Season, &QAction::triggered, this, [this] { Guarded([this] { Edit_SeasonExecute(); }); });
    Season_On_Display = new QAction(tr("Season on Display"), form);
    Season_On_Display->setObjectName(QStringLiteral("Season_On_Display"));
    Season_On_Display->setCheckable(true);
    connect(Season_On_Display, &QAction::toggled, this, [this] {
        if (form_->Display_Window())
            form_->Display_Window()->update();
    });

    if (QMenu* tools = Menu_Named(form->menuBar(), tr("&Tools"))) {
        Season1 = tools->addAction(Edit_Season->text());
        Season1->setObjectName(QStringLiteral("Season1"));
        connect(Season1, &QAction::triggered, Edit_Season, &QAction::trigger);
    }
    if (QMenu* view = Menu_Named(form->menuBar(), tr("&View"))) {
        view->addSeparator();
        SeasonOnDisplay1 = view->addAction(Season_On_Display->text());
        SeasonOnDisplay1->setObjectName(QStringLiteral("SeasonOnDisplay1"));
        SeasonOnDisplay1->setCheckable(true);
        connect(SeasonOnDisplay1, &QAction::triggered, Season_On_Display, &QAction::trigger);
        connect(Season_On_Display, &QAction::toggled, SeasonOnDisplay1, &QAction::setChecked);
    }
}

TSeason_Dlg* Season_Commands::Dialog() const { return dialog_.data(); }

QString Season_Commands::Current_Season() const
{
    if (!current_read_) {
        const Profile settings(Settings_Path());
        current_ = settings.Read_String(Section, Current_Key, QString());
        current_read_ = true;
    }
    return current_;
}

void Season_Commands::Set_Current_Season(const QString& name)
{
    if (Current_Season() == name)
        return;
    Profile settings(Settings_Path());
    settings.Write_String(Section, Current_Key, name);
    settings.Flush();
    current_ = name;
}

void Season_Commands::Edit_SeasonExecute()
{
    if (!dialog_)
        dialog_ = new TSeason_Dlg(form_);
    dialog_->Refresh(Current_Season());
    host().Show_Modal(dialog_);
    if (!dialog_->Shown_Season().isEmpty())
        Set_Current_Season(dialog_->Shown_Season());
    panel_season_.clear(); // the standings may have changed: read them again
    if (form_->Display_Window())
        form_->Display_Window()->update();
}

namespace {

// The first places of a season's standings as the panel shows them.
Season_Panel_Facts Read_Panel_Facts(const QString& name)
{
    Season_Panel_Facts facts;
    facts.season = name; // also when it cannot be read: no rows then, no panel
    try {
        const Season_Table table = Season_Standings(Load_Season(name));
        QStringList keys;
        for (const Standing& s : table.rows)
            keys << s.key;
        const QStringList names = Distinct_Shown_Names(keys);
        for (int i = 0; i < table.rows.size() && i < Panel_Rows; ++i) {
            const Standing& s = table.rows[i];
            facts.rows << Season_Panel_Facts::Row{s.rank, names[i], s.points, s.evenings};
        }
    } catch (const std::exception&) {
        // a season that cannot be read shows no panel; its dialog tells why
    }
    return facts;
}

bool Same_Facts(const Season_Panel_Facts& a, const Season_Panel_Facts& b)
{
    if (a.season != b.season || a.rows.size() != b.rows.size())
        return false;
    for (int i = 0; i < a.rows.size(); ++i)
        if (a.rows[i].rank != b.rows[i].rank || a.rows[i].name != b.rows[i].name || a.rows[i].points != b.rows[i].points ||
            a.rows[i].evenings != b.rows[i].evenings)
            return false;
    return true;
}

} // namespace

Season_Commands::~Season_Commands()
{
    if (reader_.joinable())
        reader_.join();
}

Season_Panel_Facts Season_Commands::Panel_Facts(bool clock_paused)
{
    if (!clock_paused && !Season_On_Display->isChecked())
        return Season_Panel_Facts();
    const QString name = Current_Season();
    if (name.isEmpty())
        return Season_Panel_Facts();
    if (name != panel_season_ || !panel_age_.isValid() || panel_age_.elapsed() > Panel_Refresh_Ms)
        Start_Panel_Reading(name);
    return panel_.season == name ? panel_ : Season_Panel_Facts();
}

void Season_Commands::Start_Panel_Reading(const QString& name)
{
    if (reader_.joinable())
        return; // one reading at a time; the next paint after it asks again
    panel_season_ = name;
    panel_age_.start();
    try {
        reader_ = std::thread([this, name] {
            const Season_Panel_Facts facts = Read_Panel_Facts(name);
            QMetaObject::invokeMethod(this, [this, facts] { Take_Panel(facts); }, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        // no thread to be had: the panel keeps what it shows and asks again later
    }
}

void Season_Commands::Take_Panel(const Season_Panel_Facts& facts)
{
    if (reader_.joinable())
        reader_.join(); // it has posted its facts and is ending
    if (facts.season != panel_season_) {
        // Another season became current meanwhile: the next paint reads it.
        if (form_->Display_Window())
            form_->Display_Window()->update();
        return;
    }
    if (Same_Facts(facts, panel_))
        return; // nothing new to show
    panel_ = facts;
    emit form_->Clock_Changed(); // the display and the phones show the new standings
    if (form_->Display_Window())
        form_->Display_Window()->update();
}

void Season_Commands::Finish_Panel_Reading()
{
    if (!reader_.joinable())
        return;
    reader_.join();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
