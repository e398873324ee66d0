#include "forms/dialogs/About_box.h"

#include "forms/widgets/Fonts.h"
#include "forms/artwork/Artwork.h"
#include "platform/Guard.h"
#include "platform/Version_info.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <qdrawutil.h>

TAboutBox* AboutBox = nullptr;

namespace {

const QSize Client_Size(402, 386);
const QSize Picture_Box(369, 201);

// A panel with a lowered outer and a raised inner bevel.
class Bevel_Panel : public QFrame {
public:
    explicit Bevel_Panel(QWidget* parent) : QFrame(parent)
    {
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Sunken);
        setLineWidth(2);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        qDrawShadePanel(&p, rect(), palette(), true, 1);
        qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

QLabel* Make_Line(QWidget* parent, const char* name, const QString& text, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setGeometry(8, top, Picture_Box.width(), 18);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(Client_Size);
    setFont(Program_Font(8));

    Panel1 = new Bevel_Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 386, 316);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(QRect(QPoint(8, 8), Picture_Box));
    ProgramIcon->setAlignment(Qt::AlignCenter);
    ProgramIcon->setPixmap(QPixmap::fromImage(Scaled_Into(About_Artwork(Picture_Box), Picture_Box)));

    // The version information is read once, now; later showings keep these texts.
    ProductName = Make_Line(Panel1, "ProductName", Version_Value(QStringLiteral("ProductName")), 226);
    Version = Make_Line(Panel1, "Version",
                        QStringLiteral("Version: ") + Version_Value(QStringLiteral("ProductVersion")), 252);
    Copyright = Make_Line(Panel1, "Copyright", Version_Value(QStringLiteral("LegalCopyright")), 278);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(163, 340, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { Guarded([this] { OKButtonClick(); }); });
}

void TAboutBox::OKButtonClick()
{
    accept();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QWidget* owner = parentWidget();
    QScreen* screen = owner && owner->isVisible() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        // The frame counts as part of the box when the platform knows it.
        QRect box = frameGeometry();
        box.moveCenter(screen->availableGeometry().center());
        move(box.topLeft());
    }
    OKButton->setFocus();
    QDialog::showEvent(event);
}
