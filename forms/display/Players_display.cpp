// The players' display window: what it shows, how it follows the main window,
// its keys, full screen, and where it was left (the settings file's
// "Display" section, written whenever it changes).
#include "forms/display/Players_display.h"

#include "forms/dialogs/Season_commands.h"
#include "forms/main_window/Main_form.h"
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
    Display_Facts d = Gather_Display_Facts(*form.Current_Tourney, form.Clock_Now(), now);
    d.phone_address = form.Phone_Address();
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
    last_frame_ = painter_.Paint(p, size(), Facts(), form_->Phone_Qr());
    if (Season_Commands* season = form_->Season_Tools())
        Paint_Season_Panel(p, last_frame_, season->Panel_Facts(form_->Clock.Paused != 0));
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
