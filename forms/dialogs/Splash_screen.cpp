#include "forms/dialogs/Splash_screen.h"

#include "forms/widgets/Fonts.h"
#include "forms/artwork/Artwork.h"
#include "platform/Guard.h"
#include "platform/Jpeg_image.h"
#include "platform/Version_info.h"

#include <QCoreApplication>
#include <QFile>
#include <QResource>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <future>

TSplash* Splash = nullptr;

namespace {

const QSize Splash_Size(700, 453);
const int Splash_Milliseconds = 5000;

// The artwork being painted on another thread (painting onto a QImage is
// allowed off the window thread); taken by the first splash.
std::future<QImage>& Painting()
{
    static std::future<QImage> painting;
    return painting;
}

const char* const Painted_Splash = ":/painted/splash.jpg";

// The artwork compiled into the program, or a null picture.
QImage Painted_Splash_Picture()
{
    const QResource resource(QString::fromLatin1(Painted_Splash));
    if (!resource.isValid())
        return QImage();
    try {
        return Decode_Jpeg(resource.uncompressedData(), QString::fromLatin1(Painted_Splash));
    } catch (const std::exception&) {
        return QImage();
    }
}

QImage Splash_Picture()
{
    if (Painting().valid())
        return Painting().get();
    const QImage painted = Painted_Splash_Picture();
    if (painted.size() == Splash_Size)
        return painted;
    return Title_Artwork(Splash_Size);
}

QLabel* Make_White_Label(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(Program_Font(8));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    // Only the text is drawn; the artwork shows through around it.
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TSplash::TSplash(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setWindowTitle(QStringLiteral("Velmora Home Edition"));
    setFixedSize(Splash_Size);
    setFont(Program_Font(8));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(0, 0), Splash_Size));
    Image1->setPixmap(QPixmap::fromImage(Splash_Picture()));

    Version = Make_White_Label(this, "Version",
                               QStringLiteral("Version: ") + Version_Value(QStringLiteral("ProductVersion")),
                               QPoint(168, 387));
    Copyright = Make_White_Label(this, "Copyright", Version_Value(QStringLiteral("LegalCopyright")),
                                 QPoint(168, 406));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(Splash_Milliseconds);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    Timer1->start();

    Splash = this;
}

TSplash::~TSplash()
{
    if (Splash == this)
        Splash = nullptr;
}

void TSplash::Timer1Timer()
{
    // Closing ends the modal showing.
    accept();
}

void TSplash::showEvent(QShowEvent* event)
{
    // Centred on the desktop, whatever window owns the splash.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect box(QPoint(0, 0), size());
        box.moveCenter(screen->availableGeometry().center());
        move(box.topLeft());
    }
    QDialog::showEvent(event);
}

namespace {
TSplash* early_splash = nullptr;
}

void Show_Splash_Early()
{
    if (early_splash)
        return;
    early_splash = new TSplash;
    early_splash->show();
    // Painted now: the window thread is about to be busy building the pages.
    early_splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TSplash* Take_Early_Splash()
{
    TSplash* splash = early_splash;
    early_splash = nullptr;
    return splash;
}

QSize Splash_Artwork_Size() { return Splash_Size; }

QList<int> Window_Icon_Sizes() { return {16, 24, 32, 48, 64, 128, 256}; }

QIcon Window_Icon()
{
    QIcon icon;
    // Every top-level window hands each size to the window system, so the
    // icon carries the sizes a title bar and a task switcher use; the large
    // ones are for the desktop entry.
    for (int size : Window_Icon_Sizes()) {
        if (size > 64)
            continue;
        const QString painted = QStringLiteral(":/painted/icon_%1.png").arg(size);
        if (QFile::exists(painted))
            icon.addFile(painted, QSize(size, size));
        else
            icon.addPixmap(QPixmap::fromImage(Program_Icon(size)));
    }
    return icon;
}

void Start_Painting_Splash()
{
    if (QFile::exists(QString::fromLatin1(Painted_Splash)))
        return;
    if (!Painting().valid())
        Painting() = std::async(std::launch::async, [] { return Title_Artwork(Splash_Size); });
}
