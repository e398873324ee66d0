// The View menu and the players' display, the clock's keys, and the spoken
// announcements of the Tools menu.
#include "forms/main_window/Main_form.h"

#include "forms/display/Announcer.h"
#include "forms/display/Players_display.h"
#include "platform/Guard.h"
#include "platform/Media_player.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Speaker.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

const char* const Speech_Section = "Announcements";
const char* const Announce_Key = "Announce Levels";

// A box the operator types text into keeps Space (it types a space there).
// A chooser or a number box takes none of the clock's keys: in them Space
// would only turn the choice over.
bool Takes_Space(const QWidget* w)
{
    if (!w)
        return false;
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return !edit->isReadOnly() && !qobject_cast<const QComboBox*>(edit->parentWidget())
               && !qobject_cast<const QAbstractSpinBox*>(edit->parentWidget());
    if (auto* text = qobject_cast<const QTextEdit*>(w))
        return !text->isReadOnly();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    return false;
}

// The clock's keys: Space starts and stops, Page Up / Page Down move a level,
// Ctrl+R resets. They belong to the clock wherever the keyboard is, in the
// players' display and in the main window alike: a chooser, a list or a box
// never takes them. Only a box that takes text keeps Space, which types a
// space there. A held key does not repeat its command.
class Clock_Keys : public QObject {
public:
    explicit Clock_Keys(TMainForm* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* widget = static_cast<QWidget*>(watched);
        const QWidget* window = widget->window();
        // A chooser's open list is the chooser's, and so the window's.
        if (window && window->windowType() == Qt::Popup && qobject_cast<const QComboBox*>(window->parentWidget()))
            window = window->parentWidget()->window();
        const bool in_display = window && window == form_->Display_Window();
        if (!in_display && window != form_)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        QAction* command = Command_For(key);
        if (!command)
            return false;
        // A key the typing box did not use travels up to its parents: it
        // stays the box's all the same.
        if (!in_display && key->key() == Qt::Key_Space && (Takes_Space(widget) || Takes_Space(window->focusWidget())))
            return false;
        if (!key->isAutoRepeat())
            command->trigger();
        return true;
    }

private:
    QAction* Command_For(const QKeyEvent* key) const
    {
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier) {
            switch (key->key()) {
            case Qt::Key_Space: return form_->Toggle_Start;
            case Qt::Key_PageUp: return form_->Next_Blind;
            case Qt::Key_PageDown: return form_->Prev_Blind;
            default: return nullptr;
            }
        }
        if (mods == Qt::ControlModifier && key->key() == Qt::Key_R)
            return form_->Reset_Timer;
        return nullptr;
    }
    TMainForm* form_;
};

// A menu item that runs a command and shows its key.
QAction* Menu_Item(QMenu* menu, const char* name, const QString& caption, const QString& key, QAction* command)
{
    QAction* item = menu->addAction(caption + QLatin1Char('\t') + key);
    item->setObjectName(QString::fromLatin1(name));
    QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

} // namespace

void TMainForm::Build_View()
{
    Players_Display = Make_Action("Players_Display", tr("Players' Display"), &TMainForm::Players_DisplayExecute);
    Players_Display->setCheckable(true);
    Players_Display->setToolTip(tr("Show the clock for the room on a second screen (F2)"));
    Announce_Levels = Make_Action("Announce_Levels", tr("Announce Levels"), &TMainForm::Announce_LevelsExecute);
    Announce_Levels->setCheckable(true);

    // The View menu stands between Reports and Tools.
    QMenu* tools = nullptr;
    for (QAction* a : menuBar()->actions())
        if (a->menu() && a->text() == tr("&Tools"))
            tools = a->menu();
    auto* view = new QMenu(tr("&View"), menuBar());
    view->setObjectName(QStringLiteral("View1"));
    menuBar()->insertMenu(tools ? tools->menuAction() : nullptr, view);
    PlayersDisplay1 = view->addAction(tr("Players' Display"));
    PlayersDisplay1->setObjectName(QStringLiteral("PlayersDisplay1"));
    PlayersDisplay1->setCheckable(true);
    PlayersDisplay1->setShortcut(QKeySequence(Qt::Key_F2));
    connect(PlayersDisplay1, &QAction::triggered, Players_Display, &QAction::trigger);
    connect(Players_Display, &QAction::toggled, PlayersDisplay1, &QAction::setChecked);
    view->addSeparator();
    StartStop1 = Menu_Item(view, "StartStop1", tr("Start/Stop Clock"), tr("Space"), Toggle_Start);
    NextLevel1 = Menu_Item(view, "NextLevel1", tr("Next Level"), tr("Page Up"), Next_Blind);
    PrevLevel1 = Menu_Item(view, "PrevLevel1", tr("Previous Level"), tr("Page Down"), Prev_Blind);
    ResetLevel1 = Menu_Item(view, "ResetLevel1", tr("Reset Level"), tr("Ctrl+R"), Reset_Timer);

    // The buttons' hints name their keys.
    Toggle_Start->setToolTip(Toggle_Start->toolTip() + tr(" (Space)"));
    Reset_Timer->setToolTip(Reset_Timer->toolTip() + tr(" (Ctrl+R)"));
    Next_Blind->setToolTip(Next_Blind->toolTip() + tr(" (Page Up)"));
    Prev_Blind->setToolTip(Prev_Blind->toolTip() + tr(" (Page Down)"));
    BitBtn2->setToolTip(Reset_Timer->toolTip());
    qApp->installEventFilter(new Clock_Keys(this));

    // Spoken announcements, Tools menu.
    announcer_ = new Announcer(this);
    announcer_->Set_Cue_Playing([this] { return media_player_ && media_player_->Is_Playing(); });
    connect(this, &TMainForm::Level_Ended, announcer_, [this] {
        const CStructure& s = Current_Tourney->Structure;
        if (Position().on_break) {
            announcer_->Break_Started(s.Levels[CurrentLevel].Break_Minutes, s.Levels[CurrentLevel].Break_Note);
            return;
        }
        const CBlindLevel& level = Current_Tourney->Blinds[CurrentLevel];
        announcer_->Level_Started(CurrentLevel + 1, level.SB, level.BB, s.Ante(CurrentLevel), s.Ante_Type);
    });
    connect(this, &TMainForm::Warning_Given, announcer_, [this] { announcer_->Last_Minute(Position().on_break); });
    if (tools) {
        tools->addSeparator();
        tools->setToolTipsVisible(true);
        AnnounceLevels1 = tools->addAction(Announce_Levels->text());
        AnnounceLevels1->setObjectName(QStringLiteral("AnnounceLevels1"));
        AnnounceLevels1->setCheckable(true);
        connect(AnnounceLevels1, &QAction::triggered, Announce_Levels, &QAction::trigger);
        auto sync = [this] {
            AnnounceLevels1->setEnabled(Announce_Levels->isEnabled());
            AnnounceLevels1->setChecked(Announce_Levels->isChecked());
            AnnounceLevels1->setToolTip(Announce_Levels->toolTip());
        };
        connect(Announce_Levels, &QAction::changed, this, sync);
    }
    Set_Speaker(std::make_unique<Qt_Speaker>());
}

void TMainForm::Set_Speaker(std::unique_ptr<Speaker> speaker)
{
    announcer_->Set_Speaker(std::move(speaker));
    Update_Announce_Levels();
}

// The option follows the settings file; without a voice it is off, disabled,
// and its hint says why.
void TMainForm::Update_Announce_Levels()
{
    const Speaker* voice = announcer_->Voice();
    const bool available = voice && voice->Available();
    const bool wanted = Profile(Settings_Path()).Read_Bool(Speech_Section, Announce_Key, false);
    Announce_Levels->setEnabled(available);
    Announce_Levels->setChecked(available && wanted);
    Announce_Levels->setToolTip(available ? tr("Speak each new level and its blinds, and the last minute of a level")
                                          : (voice ? voice->Unavailable_Reason() : QString()));
    announcer_->Set_Enabled(available && wanted);
}

void TMainForm::Announce_LevelsExecute()
{
    const bool on = Announce_Levels->isChecked();
    announcer_->Set_Enabled(on);
    Profile settings(Settings_Path());
    settings.Write_Bool(Speech_Section, Announce_Key, on);
    settings.Flush();
}

void TMainForm::Players_DisplayExecute()
{
    if (!Players_Display->isChecked()) {
        if (display_)
            display_->close();
        return;
    }
    if (!display_) {
        display_ = new TPlayers_Display(this);
        // The display goes with the main window.
        connect(this, &QObject::destroyed, display_, [d = display_] { delete d; });
    }
    display_->Show_Placed();
}
