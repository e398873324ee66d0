// The phone view of the Tools menu: the server that shows the clock on the
// players' phones, the state it pushes, and the remote's commands, which run
// the same actions as the clock's buttons.
#include "forms/main_window/Main_form.h"

#include "forms/dialogs/Phone_view_dlg.h"
#include "forms/dialogs/Season_commands.h"
#include "model/Display_facts.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "web/Phone_service.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {
const char* const Phone_Section = "Phone View";
const char* const Enabled_Key = "Enabled";
const char* const Port_Key = "Port";
constexpr int Default_Port = 8080;
// Clock changes come in bursts (a tick refreshes the time, a level change the
// blinds too): they reach the phones together, well within half a second.
constexpr int Push_Delay_Ms = 100;

// "First,Last" as the room says it: "First Last".
QString Spoken_Name(const CTourneyPlayer& entry)
{
    QString name = CTourney::Entry_Name(entry);
    name.replace(QLatin1Char(','), QLatin1Char(' '));
    return name.simplified();
}
// The structure: the ante ("BB ante 400"), the break and its note, the next
// level's ante and the estimated end ("23:40"), or null.
void Add_Structure_State(QJsonObject& s, const Display_Facts& d)
{
    s.insert(QStringLiteral("ante"), d.ante_text);
    s.insert(QStringLiteral("break"), d.on_break);
    s.insert(QStringLiteral("note"), d.break_note);
    if (d.has_next) {
        QJsonObject next = s.value(QStringLiteral("next")).toObject();
        next.insert(QStringLiteral("ante"), d.next_ante_text);
        next.insert(QStringLiteral("minutes"), d.next_minutes);
        s.insert(QStringLiteral("next"), next);
    }
    // The end in the Action page's own text, or why there is none.
    s.insert(QStringLiteral("end"), d.has_estimated_end ? QJsonValue(d.estimated_end_text) : QJsonValue(QJsonValue::Null));
    s.insert(QStringLiteral("end_note"), d.end_note);
}
// The season's first places as the display shows them while paused, or null.
void Add_Season_State(QJsonObject& s, const Season_Panel_Facts& season)
{
    if (season.rows.isEmpty()) {
        s.insert(QStringLiteral("season"), QJsonValue::Null);
        return;
    }
    QJsonArray rows;
    for (const Season_Panel_Facts::Row& r : season.rows)
        rows.append(QJsonObject{{QStringLiteral("rank"), r.rank},
                                {QStringLiteral("name"), r.name},
                                {QStringLiteral("points"), double(r.points)}});
    s.insert(QStringLiteral("season"), QJsonObject{{QStringLiteral("name"), season.season}, {QStringLiteral("rows"), rows}});
}
} // namespace

void TMainForm::Build_Phone_View()
{
    Phone_View = Make_Action("Phone_View", tr("Phone View..."), &TMainForm::Phone_ViewExecute);
    Phone_View->setToolTip(tr("Show the clock on the players' phones and run it from yours"));
    for (QAction* a : menuBar()->actions())
        if (a->menu() && a->text() == tr("&Tools")) {
            PhoneView1 = a->menu()->addAction(Phone_View->text());
            PhoneView1->setObjectName(QStringLiteral("PhoneView1"));
            PhoneView1->setToolTip(Phone_View->toolTip());
            connect(PhoneView1, &QAction::triggered, Phone_View, &QAction::trigger);
        }

    phone_push_ = new QTimer(this);
    phone_push_->setSingleShot(true);
    phone_push_->setInterval(Push_Delay_Ms);
    connect(phone_push_, &QTimer::timeout, this, [this] {
        Guarded([this] {
            if (phone_service_ && phone_service_->Is_Running() && Current_Tourney)
                phone_service_->Publish(Phone_State());
        });
    });
    connect(this, &TMainForm::Clock_Changed, phone_push_, [this] {
        if (phone_service_ && phone_service_->Is_Running() && !phone_push_->isActive())
            phone_push_->start();
    });

    const Profile settings(Settings_Path());
    if (settings.Read_Bool(Phone_Section, Enabled_Key, false)) {
        const int port = settings.Read_Int(Phone_Section, Port_Key, Default_Port);
        // At start-up a taken port is no reason for a message box: the
        // dialog tells why the view is off.
        if (!Set_Phone_View(true, port))
            qWarning("Phone view: %s", qPrintable(Phone_Service()->Error()));
    }
}

Phone_Service_Interface* TMainForm::Phone_Service() const
{
    if (!phone_service_) {
        phone_service_ = Load_Phone_Service();
        // The remote's commands run the same actions as the clock's buttons.
        phone_service_->Set_Command_Handler([this](Phone_Remote::Command command) {
            switch (command) {
            case Phone_Remote::Command::Start_Stop: Toggle_Start->trigger(); break;
            case Phone_Remote::Command::Next_Level: Next_Blind->trigger(); break;
            case Phone_Remote::Command::Prev_Level: Prev_Blind->trigger(); break;
            case Phone_Remote::Command::None: break;
            }
        });
        phone_service_->Set_Pin_Handler([this] { emit const_cast<TMainForm*>(this)->Phone_Pin_Changed(); });
        phone_service_->Set_Remote_Handler([this] { emit const_cast<TMainForm*>(this)->Phone_Remote_Changed(); });
    }
    return phone_service_.get();
}

bool TMainForm::Set_Phone_View(bool on, int port)
{
    bool ok = true;
    if (on) {
        ok = port >= 0 && port <= 65535 && Phone_Service()->Start(static_cast<quint16>(port));
        if (ok)
            phone_push_->start();
    } else if (phone_service_) {
        phone_service_->Stop();
    }
    phone_qr_ = phone_service_ && phone_service_->Is_Running() ? phone_service_->Qr_Code(Phone_Address()) : QImage();
    emit Clock_Changed(); // the display shows the address and its code
    Profile settings(Settings_Path());
    settings.Write_Bool(Phone_Section, Enabled_Key, on && ok);
    settings.Write_Int(Phone_Section, Port_Key, port);
    settings.Flush();
    return ok;
}

QString TMainForm::Phone_Address() const
{
    if (!phone_service_ || !phone_service_->Is_Running())
        return QString();
    return QStringLiteral("http://%1:%2/").arg(phone_service_->Local_Address()).arg(phone_service_->Port());
}

// What every phone shows. Only names, tables and seats of the entries leave
// the program: contact details stay in the player database.
QByteArray TMainForm::Phone_State() const
{
    const Display_Facts d = Gather_Display_Facts(*Current_Tourney, Clock_Now(), QDateTime::currentDateTime());
    QJsonObject s;
    s.insert(QStringLiteral("type"), QStringLiteral("state"));
    s.insert(QStringLiteral("name"), d.name);
    s.insert(QStringLiteral("time"), d.time_left);
    s.insert(QStringLiteral("paused"), d.paused);
    s.insert(QStringLiteral("red"), d.flashing_red);
    s.insert(QStringLiteral("level"), d.level);
    s.insert(QStringLiteral("levels"), d.level_count);
    s.insert(QStringLiteral("sb"), d.small_blind);
    s.insert(QStringLiteral("bb"), d.big_blind);
    if (d.has_next)
        s.insert(QStringLiteral("next"), QJsonObject{{QStringLiteral("sb"), d.next_small}, {QStringLiteral("bb"), d.next_big}});
    else
        s.insert(QStringLiteral("next"), QJsonValue::Null);
    s.insert(QStringLiteral("left"), d.players_left);
    s.insert(QStringLiteral("entered"), d.players_entered);
    s.insert(QStringLiteral("average"), d.chips_set ? d.average_stack : 0.0);
    s.insert(QStringLiteral("pool"), d.prize_pool);
    QJsonArray payouts;
    for (double p : d.payouts)
        payouts.append(p);
    s.insert(QStringLiteral("payouts"), payouts);
    s.insert(QStringLiteral("currency"), d.currency);
    if (!d.winner.isEmpty())
        s.insert(QStringLiteral("winner"), QJsonObject{{QStringLiteral("name"), d.winner},
                                                       {QStringLiteral("prize"), d.winner_prize},
                                                       {QStringLiteral("deal"), d.winner_deal}});
    else
        s.insert(QStringLiteral("winner"), QJsonValue::Null);
    QJsonArray seats;
    const CTourney& t = *Current_Tourney;
    for (int i = 0; i < std::clamp(t.Total, 0, Max_Entries); ++i) {
        const CTourneyPlayer& entry = t.Players[i];
        if (entry.Name[0] == '\0')
            continue;
        const bool seated = entry.Table >= 0 && entry.Table < 10 && entry.Seat >= 0;
        seats.append(QJsonObject{{QStringLiteral("name"), Spoken_Name(entry)},
                                 {QStringLiteral("table"), seated ? entry.Table + 1 : 0},
                                 {QStringLiteral("seat"), seated ? entry.Seat + 1 : 0},
                                 {QStringLiteral("out"), entry.Place != 0}});
    }
    s.insert(QStringLiteral("seats"), seats);
    Add_Structure_State(s, d);
    Add_Season_State(s, season_ ? season_->Panel_Facts(d.paused) : Season_Panel_Facts());
    return QJsonDocument(s).toJson(QJsonDocument::Compact);
}

void TMainForm::Phone_ViewExecute()
{
    TPhone_View_Dlg dialog(this);
    host().Show_Modal(&dialog);
}
