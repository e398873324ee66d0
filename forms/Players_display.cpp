// The players' display window: what it shows, how it follows the main window,
// its keys, full screen, and where it was left (the settings file's
// "Display" section, written whenever it changes).
#include "forms/Players_display.h"

#include "forms/Main_form.h"
#include "platform/Guard.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {
const char* const Section = "Display";
const QSize Default_Size(1280, 720);
} // namespace

Display_Facts Gather_Display_Facts(const TMainForm& form, const QTime& now)
{
    Display_Facts d;
    const CTourney& t = *form.Current_Tourney;
    // The record's name is its file name: the room sees it without ".trn".
    d.name = t.Name;
    if (d.name.endsWith(QLatin1String(".trn"), Qt::CaseInsensitive))
        d.name.chop(4);
    d.time_of_day = now;
    d.time_left = QString::asprintf("%d:%02d", form.Clock.Minutes, form.Clock.Seconds);
    d.paused = form.Clock.Paused != 0;
    d.flashing_red = form.Blind_Timer_Colour() != QColor(Qt::black);
    const int level = std::min<int>(form.CurrentLevel, Level_Count - 1);
    d.level = level + 1;
    d.level_count = Level_Count;
    d.small_blind = t.Blinds[level].SB;
    d.big_blind = t.Blinds[level].BB;
    if (level + 1 < Level_Count) {
        const CBlindLevel& next = t.Blinds[level + 1];
        // A level without blinds is an unused one: there is no next level.
        d.has_next = next.SB != 0 || next.BB != 0;
        d.next_small = next.SB;
        d.next_big = next.BB;
    }
    for (int i = level + 2; i < Level_Count && d.later_levels.size() < 4; ++i)
        if (t.Blinds[i].SB != 0 || t.Blinds[i].BB != 0)
            d.later_levels.push_back({i + 1, t.Blinds[i].SB, t.Blinds[i].BB});
    const int entered = std::clamp(t.Total, 0, Max_Entries);
    d.players_entered = entered;
    for (int i = 0; i < entered; ++i)
        if (t.Players[i].Place == 0)
            ++d.players_left;
    double chip_value = 0;
    for (const CChips& c : t.Chips)
        chip_value += static_cast<double>(c.Value) * c.Quanity;
    d.chips_set = chip_value > 0 && d.players_left > 0;
    if (d.chips_set)
        d.average_stack = chip_value * entered / d.players_left;
    d.prize_pool = t.Prize_Total;
    for (int i = 0; i < Prize_Count && t.Prize[i] > 0; ++i)
        d.payouts << static_cast<double>(t.Prize_Total) * t.Prize[i] / 100.0;
    d.phone_address = form.Phone_Address();
    d.phone_qr = form.Phone_Qr();
    return d;
}

TPlayers_Display::TPlayers_Display(TMainForm* form)
    : QWidget(nullptr, Qt::Window), form_(form), now_([] { return QTime::currentTime(); })
{
    setObjectName(QStringLiteral("Players_Display"));
    setWindowTitle(tr("Players' Display - Velmora: Home Edition"));
    // Closing the main window ends the program, whether or not this is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 180);
    setFocusPolicy(Qt::StrongFocus);

    connect(form_, &TMainForm::Clock_Changed, this, qOverload<>(&QWidget::update));
    minute_timer_ = new QTimer(this);
    minute_timer_->setInterval(1000);
    connect(minute_timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    save_timer_ = new QTimer(this);
    save_timer_->setSingleShot(true);
    save_timer_->setInterval(500);
    connect(save_timer_, &QTimer::timeout, this, [this] { Guarded([this] { Save_Placement(); }); });
}

TPlayers_Display::~TPlayers_Display()
{
    if (save_timer_->isActive())
        Guarded([this] { Save_Placement(); });
}

Display_Facts TPlayers_Display::Facts() const { return Gather_Display_Facts(*form_, now_()); }

void TPlayers_Display::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    last_frame_ = painter_.Paint(p, size(), Facts());
}

// Every key of the clock works here, whatever has the focus; Esc and the
// display's own command close it.
void TPlayers_Display::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (form_->Players_Display->isChecked())
            form_->Players_Display->trigger();
        else
            close();
        return;
    }
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        form_->Players_Display->trigger();
        return;
    }
    if (event->key() == Qt::Key_F11 && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            Toggle_Full_Screen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPlayers_Display::mouseDoubleClickEvent(QMouseEvent*) { Toggle_Full_Screen(); }

void TPlayers_Display::Toggle_Full_Screen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    Placement_Changed();
}

void TPlayers_Display::closeEvent(QCloseEvent* event)
{
    minute_timer_->stop();
    if (save_timer_->isActive()) {
        save_timer_->stop();
        Guarded([this] { Save_Placement(); });
    }
    // Closed by the window manager: the command's check mark follows.
    form_->Players_Display->setChecked(false);
    QWidget::closeEvent(event);
}

void TPlayers_Display::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    Placement_Changed();
}

void TPlayers_Display::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Placement_Changed();
}

void TPlayers_Display::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Placement_Changed();
}

void TPlayers_Display::Placement_Changed()
{
    if (!placing_ && isVisible())
        save_timer_->start();
}

// The screen by its name, the full-screen state, and the size and position
// the window has when it is not full screen.
void TPlayers_Display::Save_Placement()
{
    save_timer_->stop();
    const QScreen* on = screen();
    const QRect normal = isFullScreen() ? normalGeometry() : geometry();
    Profile settings(Settings_Path());
    settings.Write_String(Section, "Screen", on ? on->name() : QString());
    settings.Write_Bool(Section, "Full Screen", isFullScreen());
    if (normal.isValid()) {
        settings.Write_Int(Section, "Left", normal.x());
        settings.Write_Int(Section, "Top", normal.y());
        settings.Write_Int(Section, "Width", normal.width());
        settings.Write_Int(Section, "Height", normal.height());
    }
    settings.Flush();
}

void TPlayers_Display::Show_Placed()
{
    placing_ = true;
    const Profile settings(Settings_Path());
    const QString screen_name = settings.Read_String(Section, "Screen", QString());
    QScreen* target = QGuiApplication::primaryScreen();
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == screen_name)
            target = s;
    const QRect area = target ? target->availableGeometry() : QRect(QPoint(0, 0), Default_Size);
    QSize size(settings.Read_Int(Section, "Width", Default_Size.width()),
               settings.Read_Int(Section, "Height", Default_Size.height()));
    size = size.expandedTo(minimumSize()).boundedTo(area.size());
    const QPoint centred = area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    QPoint at(settings.Read_Int(Section, "Left", centred.x()), settings.Read_Int(Section, "Top", centred.y()));
    // A window left on a screen that is gone, or off its edge, comes back
    // inside the screen it is shown on.
    if (!area.contains(QRect(at, size)))
        at = centred;
    setGeometry(QRect(at, size));
    if (target && windowHandle())
        windowHandle()->setScreen(target);
    if (settings.Read_Bool(Section, "Full Screen", false))
        showFullScreen();
    else
        showNormal();
    minute_timer_->start();
    raise();
    activateWindow();
    placing_ = false;
}
