// Program entry: the player database, the long-lived windows, the message
// loop, and a clean shut-down on SIGTERM / SIGINT.
#include "forms/widgets/Fonts.h"
#include "forms/main_window/Main_form.h"
#include "forms/dialogs/Splash_screen.h"
#include "forms/artwork/Artwork.h"
#include "model/Player.h"
#include "platform/Guard.h"
#include "platform/Host.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSocketNotifier>

#include <csignal>
#include <malloc.h>
#include <exception>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The help file is set for the program and nothing opens it.
const char* const Help_File = "C:\\My Documents\\Tourney\\VELMORA_HELP.HLP";

int quit_pipe[2] = {-1, -1};
bool quit_while_starting = false;

void On_Quit_Signal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(quit_pipe[1], &byte, 1);
}

// Logging out or Ctrl+C closes the main window the normal way, so the
// shut-down steps save the tournament and the settings.
void Install_Quit_Signals(QApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, quit_pipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(quit_pipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        [[maybe_unused]] ssize_t n = ::read(quit_pipe[0], &byte, 1);
        // A modal window (a dialog, a message box) ends first.
        while (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            if (QApplication::activeModalWidget() == modal)
                break;
        }
        if (MainForm && MainForm->isVisible()) {
            MainForm->close();
        } else {
            // Still starting: the splash that shows before the pages are
            // built goes now, and main() ends once the window is built.
            quit_while_starting = true;
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* splash = qobject_cast<TSplash*>(window))
                    splash->Timer1Timer();
        }
    });
    struct sigaction action = {};
    action.sa_handler = On_Quit_Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    Construct_Player_DB();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VELMORA_APP_TITLE));
    app.setProperty("helpFile", QString::fromLatin1(Help_File));
    Load_Regular_Program_Font();
    Start_Painting_Splash(); // on the other core, when the program carries no painted splash
    QApplication::setFont(Program_Font(8));
    Install_Quit_Signals(app);

    try {
        Show_Splash_Early();
        Load_Program_Fonts(); // the bold face, before any window shows bold text
        // The frameless splash needs no icon; the windows after it do.
        QApplication::setWindowIcon(Window_Icon());
        auto* main_form = new TMainForm;
        if (quit_while_starting) {
            delete main_form; // the shut-down steps run here
            return 0;
        }
        // The other dialogs are built when they are first shown.
        main_form->show();
        // Start-up painted and dropped large pictures (the splash); hand the
        // freed memory back to the system instead of keeping it for later.
        malloc_trim(0);
        app.exec();
        delete main_form; // the shut-down steps run here
    } catch (const std::exception& e) {
        host().Message(QString::fromLocal8Bit(e.what()), QStringLiteral(VELMORA_APP_TITLE), Buttons::OK);
    } catch (...) {
        host().Message(QString(), QStringLiteral(VELMORA_APP_TITLE), Buttons::OK);
    }
    return 0;
}
