// The main window's controls: menu, left panel, the pages and the timers.
#include "forms/main_window/Main_form.h"
#include "forms/widgets/Caption_label.h"
#include "forms/widgets/Button_icons.h"
#include "forms/widgets/Page_button.h"

#include "forms/main_window/Structure_page.h"
#include "forms/widgets/Spin_box.h"
#include "platform/Guard.h"

#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

QFont Display_Font(int pixels)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

// A label that shows a number or the time for the room: coloured block,
// white bold digits, centred.
QLabel* Display_Label(QWidget* parent, const char* name, const QString& hint, const QColor& back,
                      int pixels, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(hint);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(Display_Font(pixels));
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    return label;
}

const QColor Maroon(128, 0, 0);
const QColor Navy(0, 0, 128);
const QColor Gold(0xe3, 0xb3, 0x41); // the name and the level on the black panel

// The page control's tabs are hidden: only the page buttons switch pages, and
// every switch saves and reloads the tournament. Ctrl+Tab and Ctrl+Shift+Tab,
// which would turn the pages behind the buttons' back, do nothing.
class Page_Control : public QTabWidget {
public:
    using QTabWidget::QTabWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool page_key = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab
                              || event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
        if (page_key && (event->modifiers() & Qt::ControlModifier)) {
            event->accept();
            return;
        }
        QTabWidget::keyPressEvent(event);
    }
};

} // namespace

void TMainForm::Build_Menu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(tr("&File"));
    New1 = file->addAction(tr("New..."));
    New1->setObjectName(QStringLiteral("New1"));
    connect(New1, &QAction::triggered, New_Tourney, &QAction::trigger);
    Open1 = file->addAction(tr("Open..."));
    Open1->setObjectName(QStringLiteral("Open1"));
    connect(Open1, &QAction::triggered, Open_Tourney, &QAction::trigger);
    Wizard1 = file->addAction(tr("Wizard..."));
    Wizard1->setObjectName(QStringLiteral("Wizard1"));
    Wizard1->setEnabled(Launch_Wizard->isEnabled());
    connect(Launch_Wizard, &QAction::enabledChanged, Wizard1, &QAction::setEnabled);
    connect(Wizard1, &QAction::triggered, Launch_Wizard, &QAction::trigger);
    file->addSeparator();
    Exit1 = file->addAction(tr("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Exit1, &QAction::triggered, this, [this] { Guarded([this] { Exit1Click(); }); });

    QMenu* reports = bar->addMenu(tr("&Reports"));
    const struct {
        QAction** item;
        const char* name;
        QAction* command;
    } report_items[] = {
        {&ContactList1, "ContactList1", Create_PlayersList},
        {&Top10Results1, "Top10Results1", Create_Top10},
        {&SeatingReport1, "SeatingReport1", Create_Seating},
    };
    for (const auto& r : report_items) {
        QAction* item = reports->addAction(r.command->text());
        item->setObjectName(QString::fromLatin1(r.name));
        connect(item, &QAction::triggered, r.command, &QAction::trigger);
        *r.item = item;
    }

    QMenu* tools = bar->addMenu(tr("&Tools"));
    PlaylistEditor1 = tools->addAction(tr("Playlist Editor"));
    PlaylistEditor1->setObjectName(QStringLiteral("PlaylistEditor1"));
    connect(PlaylistEditor1, &QAction::triggered, New_Playlist, &QAction::trigger);

    QMenu* help = bar->addMenu(tr("&Help"));
    About1 = help->addAction(tr("About"));
    About1->setObjectName(QStringLiteral("About1"));
    connect(About1, &QAction::triggered, Launch_About, &QAction::trigger);
}

void TMainForm::Build_Left_Panel(QWidget* central)
{
    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 161, 638);
    Panel1->setAutoFillBackground(true);
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    Panel1->setPalette(p);

    auto* title = new QLabel(QStringLiteral("Velmora"), Panel1);
    title->setGeometry(0, 10, 161, 36);
    title->setAlignment(Qt::AlignCenter);
    QFont tf(QStringLiteral("DejaVu Serif"));
    tf.setPixelSize(28);
    tf.setBold(true);
    tf.setItalic(true);
    title->setFont(tf);
    Tint_Caption(title, Gold, 0, false, 0);
    auto* subtitle = new QLabel(tr("HOME EDITION"), Panel1);
    subtitle->setGeometry(0, 46, 161, 16);
    subtitle->setAlignment(Qt::AlignCenter);
    Tint_Caption(subtitle, QColor(0xbf, 0xbf, 0xbf), 10, false, 3);

    Page_Buttons = new QButtonGroup(this);
    Page_Buttons->setExclusive(true);
    const struct {
        QToolButton** button;
        const char* name;
        const char* caption;
        QStyle::StandardPixmap icon;
    } buttons[] = {
        {&SpeedButton3, "SpeedButton3", "Action", QStyle::SP_MediaPlay},
        {&SpeedButton4, "SpeedButton4", "Players", QStyle::SP_FileDialogDetailedView},
        {&SpeedButton5, "SpeedButton5", "Blinds", QStyle::SP_FileDialogListView},
        {&SpeedButton6, "SpeedButton6", "Chips", QStyle::SP_DriveHDIcon},
        {&SpeedButton7, "SpeedButton7", "Payout", QStyle::SP_DialogApplyButton},
    };
    for (int i = 0; i < 5; ++i) {
        auto* b = new Page_Button(Panel1);
        b->setObjectName(QString::fromLatin1(buttons[i].name));
        b->setText(tr(buttons[i].caption));
        b->setIcon(Button_Icon(this, buttons[i].icon));
        b->setIconSize(QSize(18, 18));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setCheckable(true);
        b->setGeometry(10, 78 + i * 48, 141, 40);
        b->setCursor(Qt::PointingHandCursor);
        Page_Buttons->addButton(b, i);
        *buttons[i].button = b;
        connect(b, &QToolButton::clicked, this, [this, i] { SpeedButtonClick(i); });
    }
    SpeedButton3->setChecked(true);

    Level_Label2 = Caption_Label(Panel1, tr("LEVEL 1"), QRect(10, 336, 141, 16), Qt::AlignCenter);
    Level_Label2->setObjectName(QStringLiteral("Level_Label2"));
    Tint_Caption(Level_Label2, Gold, 11, true, 2);
    Small_Blind2 = Display_Label(Panel1, "Small_Blind2", tr("Small Blind"), Maroon, 29, QStringLiteral("5"));
    Small_Blind2->setGeometry(10, 354, 141, 46);
    Big_Blind2 = Display_Label(Panel1, "Big_Blind2", tr("Big Blind"), Navy, 29, QStringLiteral("10"));
    Big_Blind2->setGeometry(10, 404, 141, 46);
    auto* time_caption = Caption_Label(Panel1, tr("TIME LEFT"), QRect(10, 462, 141, 14), Qt::AlignCenter);
    Tint_Caption(time_caption, QColor(0x9a, 0x9a, 0x9a), 10, false, 2);
    // The thin grey frame is a panel behind the label, not a style sheet: a
    // style sheet would take over the label's background, and the red of the
    // last ten seconds would never be painted.
    Blind_Timer2_Border = new QFrame(Panel1);
    Blind_Timer2_Border->setObjectName(QStringLiteral("Blind_Timer2_Border"));
    Blind_Timer2_Border->setGeometry(6, 478, 149, 70);
    Blind_Timer2_Border->setAutoFillBackground(true);
    QPalette border = Blind_Timer2_Border->palette();
    border.setColor(QPalette::Window, QColor(0x66, 0x66, 0x66));
    Blind_Timer2_Border->setPalette(border);
    Blind_Timer2 = Display_Label(Panel1, "Blind_Timer2", tr("Blind Timer"), Qt::black, 48, QStringLiteral("20:00"));
    Blind_Timer2->setGeometry(7, 479, 147, 68);
}

void TMainForm::Build_Pages(QWidget* central)
{
    PageControl1 = new Page_Control(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(161, 0, 721, 638);
    PageControl1->setDocumentMode(true);
    PageControl1->tabBar()->hide();
    connect(PageControl1->tabBar(), &QTabBar::tabBarClicked, this, [this] { Guarded([this] { PageControl1Change(); }); });

    const struct {
        QWidget** page;
        const char* name;
        const char* caption;
    } pages[] = {
        {&Action_Sheet, "Action_Sheet", "Action"},
        {&Players_Sheet, "Players_Sheet", "Players"},
        {&Blinds_Sheet, "Blinds_Sheet", "Blinds"},
        {&Chips_Sheet, "Chips_Sheet", "Chips"},
        {&Payout_Sheet, "Payout_Sheet", "Payout Calculator"},
    };
    for (const auto& p : pages) {
        auto* w = new QWidget;
        w->setObjectName(QString::fromLatin1(p.name));
        PageControl1->addTab(w, tr(p.caption));
        *p.page = w;
    }
    Build_Action_Page();
    Build_In_Out_Grid();
    Build_Players_Page();
    Build_Blinds_Page();
    Build_Seating_Group();
    Build_Chip_Values();
    Build_Chips_Page();
    Build_Payout_Page();
}

void TMainForm::Build_Action_Page()
{
    QWidget* page = Action_Sheet;

    Small_Blind = Display_Label(page, "Small_Blind", tr("Small Blind"), Maroon, 48, QStringLiteral("5"));
    Small_Blind->setGeometry(10, 10, 250, 76);
    Big_Blind = Display_Label(page, "Big_Blind", tr("Big Blind"), Navy, 48, QStringLiteral("10"));
    Big_Blind->setGeometry(303, 10, 250, 76);

    NextBlind_Btn = new QToolButton(page);
    NextBlind_Btn->setObjectName(QStringLiteral("NextBlind_Btn"));
    // The picture goes on the command: a button takes its icon from its
    // command every time the command changes, so one set on the button alone
    // would vanish at the first change.
    Next_Blind->setIcon(Button_Icon(this, QStyle::SP_ArrowUp));
    NextBlind_Btn->setDefaultAction(Next_Blind);
    NextBlind_Btn->setGeometry(265, 10, 33, 37);
    PrevBlind_Btn = new QToolButton(page);
    PrevBlind_Btn->setObjectName(QStringLiteral("PrevBlind_Btn"));
    Prev_Blind->setIcon(Button_Icon(this, QStyle::SP_ArrowDown));
    PrevBlind_Btn->setDefaultAction(Prev_Blind);
    PrevBlind_Btn->setGeometry(265, 49, 33, 37);

    Blind_Timer = Display_Label(page, "Blind_Timer", tr("Blind Timer"), Qt::black, 187, QStringLiteral("20:00"));
    Blind_Timer->setGeometry(10, 92, 543, 221);

    Caption_Label(page, tr("Tournament Name:"), QRect(563, 8, 148, 18));
    Tourney_Name = new QLineEdit(page);
    Tourney_Name->setObjectName(QStringLiteral("Tourney_Name"));
    Tourney_Name->setReadOnly(true);
    Tourney_Name->setGeometry(563, 28, 148, 24);

    Level_Label = Caption_Label(page, tr("Level 1 of 20"), QRect(563, 58, 148, 28), Qt::AlignCenter);
    Level_Label->setObjectName(QStringLiteral("Level_Label"));
    QFont level_font(QStringLiteral("Arial"));
    level_font.setPixelSize(17);
    level_font.setBold(true);
    Level_Label->setFont(level_font);
    Level_Label->setFrameShape(QFrame::StyledPanel);

    QFont big_button = font();
    big_button.setPointSize(14);
    big_button.setBold(true);

    BitBtn1 = new QPushButton(page);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(563, 92, 148, 70);
    BitBtn1->setFont(big_button);
    BitBtn1->setIconSize(QSize(24, 24));
    auto sync_start = [this] {
        BitBtn1->setText(Toggle_Start->text());
        BitBtn1->setToolTip(Toggle_Start->toolTip());
        const bool stopped = Toggle_Start->text() == tr("Start");
        BitBtn1->setIcon(Button_Icon(this, stopped ? QStyle::SP_MediaPlay : QStyle::SP_MediaPause));
    };
    connect(Toggle_Start, &QAction::changed, this, sync_start);
    sync_start();
    connect(BitBtn1, &QPushButton::clicked, Toggle_Start, &QAction::trigger);

    BitBtn2 = new QPushButton(page);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(563, 168, 148, 50);
    QFont medium_button = font();
    medium_button.setPointSize(11);
    medium_button.setBold(true);
    BitBtn2->setFont(medium_button);
    BitBtn2->setText(Reset_Timer->text());
    BitBtn2->setToolTip(Reset_Timer->toolTip());
    BitBtn2->setIcon(Button_Icon(this, QStyle::SP_BrowserReload));
    connect(BitBtn2, &QPushButton::clicked, Reset_Timer, &QAction::trigger);

    Stop_Btn = new QPushButton(tr("Stop"), page);
    Stop_Btn->setObjectName(QStringLiteral("Stop_Btn"));
    Stop_Btn->setToolTip(tr("Stop Blind Sound"));
    Stop_Btn->setIcon(Button_Icon(this, QStyle::SP_MediaVolumeMuted));
    // Below the clock, where the music is stopped during play.
    Stop_Btn->setGeometry(104, 322, 150, 38);
    Stop_Btn->setFont(medium_button);
    auto* sound_caption = Caption_Label(page, tr("Blind sound:"), QRect(10, 322, 88, 38),
                                        Qt::AlignRight | Qt::AlignVCenter);
    sound_caption->setObjectName(QStringLiteral("Sound_Caption"));
    connect(Stop_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Stop_BtnClick(); }); });
}

void TMainForm::Build_Blinds_Page()
{
    QWidget* page = Blinds_Sheet;

    GroupBox4 = new QGroupBox(tr("Blind Timer"), page);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    GroupBox4->setGeometry(10, 10, 701, 136);

    auto* label4 = Caption_Label(GroupBox4, tr("Blind Duration:"), QRect(16, 28, 110, 24));
    label4->setObjectName(QStringLiteral("Label4"));
    Timer_Spin = new Spin_Box(GroupBox4);
    Timer_Spin->setObjectName(QStringLiteral("Timer_Spin"));
    Timer_Spin->setRange(1, 59);
    Timer_Spin->setSingleStep(1);
    Timer_Spin->Set_Arrows_Only(true);
    Timer_Spin->setGeometry(130, 28, 64, 24);
    Caption_Label(GroupBox4, tr("minutes per level"), QRect(202, 28, 150, 24));

    Caption_Label(GroupBox4, tr("Warning Sound: "), QRect(16, 62, 110, 24));
    Warning_Edit = new QLineEdit(GroupBox4);
    Warning_Edit->setObjectName(QStringLiteral("Warning_Edit"));
    Warning_Edit->setGeometry(130, 62, 466, 24);
    SpeedButton12 = new QToolButton(GroupBox4);
    SpeedButton12->setObjectName(QStringLiteral("SpeedButton12"));
    SpeedButton12->setDefaultAction(Find_Warning);
    SpeedButton12->setIcon(Button_Icon(this, QStyle::SP_DirOpenIcon));
    SpeedButton12->setGeometry(600, 62, 28, 24);

    Caption_Label(GroupBox4, tr("Blind Sound: "), QRect(16, 96, 110, 24));
    Sound_Edit1 = new QLineEdit(GroupBox4);
    Sound_Edit1->setObjectName(QStringLiteral("Sound_Edit1"));
    Sound_Edit1->setGeometry(130, 96, 466, 24);
    FindBtn = new QToolButton(GroupBox4);
    FindBtn->setObjectName(QStringLiteral("FindBtn"));
    FindBtn->setIcon(Button_Icon(this, QStyle::SP_DirOpenIcon));
    FindBtn->setToolTip(tr("Find Blind Timer Sound Effect"));
    FindBtn->setGeometry(600, 96, 28, 24);
    connect(FindBtn, &QToolButton::clicked, this, [this] { Guarded([this] { FindBtnClick(); }); });
    Edit_List_Btn = new QPushButton(GroupBox4);
    Edit_List_Btn->setObjectName(QStringLiteral("Edit_List_Btn"));
    Edit_List_Btn->setGeometry(632, 96, 60, 24);
    auto sync_edit = [this] {
        Edit_List_Btn->setText(Edit_PlayList->text());
        Edit_List_Btn->setToolTip(Edit_PlayList->toolTip());
        Edit_List_Btn->setEnabled(Edit_PlayList->isEnabled());
    };
    connect(Edit_PlayList, &QAction::changed, this, sync_edit);
    sync_edit();
    connect(Edit_List_Btn, &QPushButton::clicked, Edit_PlayList, &QAction::trigger);

    GroupBox3 = new QGroupBox(tr("Blind Schedule"), page);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(10, 156, 701, 226);
    QFont bold = font();
    bold.setBold(true);
    // Each column leaves room for the ante beside the big blind (Structure_page.cpp).
    for (int column = 0; column < 4; ++column) {
        const int x0 = 8 + column * 172;
        auto* small = Caption_Label(GroupBox3, tr("Small"), QRect(x0 + 24, 22, 47, 18), Qt::AlignCenter);
        small->setFont(bold);
        auto* big = Caption_Label(GroupBox3, tr("Big"), QRect(x0 + 74, 22, 47, 18), Qt::AlignCenter);
        big->setFont(bold);
        for (int row = 0; row < 5; ++row) {
            const int level = column * 5 + row;
            const int y = 42 + row * 34;
            Caption_Label(GroupBox3, QString::number(level + 1), QRect(x0, y, 22, 26), Qt::AlignRight | Qt::AlignVCenter);
            SB_Edit[level] = new QLineEdit(GroupBox3);
            SB_Edit[level]->setObjectName(QStringLiteral("SB%1_Edit").arg(level));
            SB_Edit[level]->setGeometry(x0 + 24, y, 47, 26);
            SB_Edit[level]->setAlignment(Qt::AlignRight);
            BB_Edit[level] = new QLineEdit(GroupBox3);
            BB_Edit[level]->setObjectName(QStringLiteral("BB%1_Edit").arg(level));
            BB_Edit[level]->setGeometry(x0 + 74, y, 47, 26);
            BB_Edit[level]->setAlignment(Qt::AlignRight);
        }
    }
    // Tab order runs level by level: small blind, then big blind.
    for (int level = 0; level + 1 < Level_Count; ++level) {
        setTabOrder(SB_Edit[level], BB_Edit[level]);
        setTabOrder(BB_Edit[level], SB_Edit[level + 1]);
    }
    Structure_Extras = new Structure_Page(page, GroupBox4, GroupBox3, BB_Edit);
}

void TMainForm::Build_Timers()
{
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    // A precise timer keeps each second within a millisecond or so; a coarse
    // one may move a tick by up to 50 ms and the clock would drift.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, [this] { Guarded([this] { Timer2Timer(); }); });
    Timer2->start();
}
