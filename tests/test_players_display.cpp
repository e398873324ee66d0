// The players' display: opening and closing, what it shows of a driven clock
// and tournament, that nothing is cut off or overlaps at TV sizes, and where
// the settings file keeps it.
#include "Display_fixture.h"

#include "forms/widgets/Spin_box.h"
#include "web/Qr_code.h"

#include <QPainter>

#include <QMenuBar>
#include <QTest>

namespace {

class Players_Display_Test : public Display_Fixture {
protected:
    // Every text lies inside its panel; texts never overlap each other; the
    // panels of different texts never overlap.
    void Expect_Clean_Layout(const std::vector<Display_Text>& frame, const QSize& size)
    {
        const QRectF screen(QPointF(0, 0), QSizeF(size));
        ASSERT_FALSE(frame.empty());
        for (const Display_Text& t : frame) {
            EXPECT_TRUE(screen.contains(t.panel)) << t.role.toStdString();
            EXPECT_TRUE(t.panel.contains(t.bounds)) << t.role.toStdString() << " \"" << t.text.toStdString() << "\" at "
                                                    << size.width() << "x" << size.height();
            EXPECT_GE(t.bounds.height(), 8) << t.role.toStdString();
        }
        for (size_t i = 0; i < frame.size(); ++i)
            for (size_t j = i + 1; j < frame.size(); ++j) {
                const Display_Text &a = frame[i], &b = frame[j];
                EXPECT_FALSE(a.bounds.intersects(b.bounds)) << a.role.toStdString() << " / " << b.role.toStdString();
                const bool nested = a.panel.contains(b.panel) || b.panel.contains(a.panel);
                if (!nested) {
                    EXPECT_FALSE(a.panel.intersects(b.panel)) << a.role.toStdString() << " / " << b.role.toStdString();
                }
            }
    }

    static QString Shown(const std::vector<Display_Text>& frame, const QString& role)
    {
        const Display_Text* t = Text(frame, role);
        return t ? t->text : QStringLiteral("<none>");
    }
};

// The phone's code is scanned from across the room: at 1080p about three
// times the 130 px it had, whole pixels per module, painted as it is, beside
// its address and clear of every text, at every size of screen.
TEST_F(Players_Display_Test, ThePhoneCodeCanBeScannedFromAcrossTheRoom)
{
    Start_Tourney(Chips_And_Prizes());
    Display_Facts facts = Gather_Display_Facts(*form, QTime(21, 0));
    facts.phone_address = QStringLiteral("http://192.168.100.200:8080/");
    const QImage qr = Qr_Code(facts.phone_address);
    ASSERT_FALSE(qr.isNull());
    for (const QSize size : {QSize(1920, 1080), QSize(1280, 720), QSize(3840, 2160)}) {
        SCOPED_TRACE(size.width());
        QImage frame(size, QImage::Format_RGB32);
        QPainter p(&frame);
        Display_Painter painter;
        const std::vector<Display_Text> texts = painter.Paint(p, size, facts, qr);
        p.end();
        const Display_Text* code = Text(texts, QStringLiteral("phone_code"));
        ASSERT_NE(code, nullptr);
        EXPECT_GE(code->bounds.width(), 0.35 * size.height());
        EXPECT_EQ(code->bounds.width(), code->bounds.height());
        EXPECT_EQ(static_cast<int>(code->bounds.width()) % qr.width(), 0);
        const int px = static_cast<int>(code->bounds.width());
        EXPECT_EQ(frame.copy(code->bounds.toRect()),
                  qr.scaled(px, px, Qt::KeepAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(Shown(texts, QStringLiteral("phone")), QStringLiteral("192.168.100.200:8080"));
        Expect_Clean_Layout(texts, size);
    }
}

TEST_F(Players_Display_Test, ViewMenuSitsBetweenReportsAndToolsAndOpensAndClosesTheDisplay)
{
    Start_Tourney(Chips_And_Prizes());
    QStringList menus;
    for (QAction* a : form->menuBar()->actions())
        menus << a->text().remove(QLatin1Char('&'));
    EXPECT_EQ(menus, (QStringList{"File", "Reports", "View", "Tools", "Help"}));
    EXPECT_EQ(form->PlayersDisplay1->text(), QStringLiteral("Players' Display"));
    EXPECT_EQ(form->PlayersDisplay1->shortcut(), QKeySequence(Qt::Key_F2));

    TPlayers_Display* d = Open_Display();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(form->Players_Display->isChecked());
    EXPECT_TRUE(form->PlayersDisplay1->isChecked());

    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(form->PlayersDisplay1->isChecked());

    form->PlayersDisplay1->trigger();
    EXPECT_TRUE(d->isVisible());
    QTest::keyClick(d, Qt::Key_F2); // the same command closes it
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(form->Players_Display->isChecked());

    // Closed by the window manager: the menu's check follows.
    form->PlayersDisplay1->trigger();
    d->close();
    EXPECT_FALSE(form->PlayersDisplay1->isChecked());
    EXPECT_EQ(form->Display_Window(), d); // one window, opened again and again
}

TEST_F(Players_Display_Test, ShowsTheTournamentFromTheModel)
{
    Start_Tourney(Chips_And_Prizes());
    TPlayers_Display* d = Open_Display();
    Frame(d, QSize(1920, 1080));
    const auto& f = d->Last_Frame();
    EXPECT_EQ(Shown(f, "name"), QStringLiteral("Default"));
    EXPECT_EQ(Shown(f, "time_of_day"), QLocale().toString(QTime(21, 45), QLocale().timeFormat(QLocale::ShortFormat).remove(":ss")));
    EXPECT_EQ(Shown(f, "level"), QStringLiteral("Level 1 of 20"));
    EXPECT_EQ(Shown(f, "time"), QStringLiteral("20:00"));
    EXPECT_EQ(Shown(f, "small_blind"), QStringLiteral("5"));
    EXPECT_EQ(Shown(f, "big_blind"), QStringLiteral("10"));
    EXPECT_EQ(Shown(f, "next"), QStringLiteral("10 / 20"));
    EXPECT_EQ(Shown(f, "players"), QStringLiteral("9 / 12"));
    // 25*20 + 100*15 = 2000 a player; 12 entered, 9 left.
    EXPECT_EQ(Shown(f, "average"), QLocale().toString(2667));
    EXPECT_EQ(Shown(f, "pool"), QLocale().toString(1200));
    EXPECT_EQ(Shown(f, "payout1"), QStringLiteral("600"));
    EXPECT_EQ(Shown(f, "payout2"), QStringLiteral("360"));
    EXPECT_EQ(Shown(f, "payout3"), QStringLiteral("240"));
    EXPECT_EQ(Text(f, "payout4"), nullptr);
    EXPECT_EQ(Shown(f, "paused"), QStringLiteral("Paused"));

    // A knock-out is a reload of the tournament: the display follows it.
    form->Current_Tourney->Set_Out(QStringLiteral("P1,X"));
    form->Save_Setup->trigger();
    Frame(d, QSize(1920, 1080));
    EXPECT_EQ(Shown(d->Last_Frame(), "players"), QStringLiteral("8 / 12"));
    EXPECT_EQ(Shown(d->Last_Frame(), "average"), QLocale().toString(3000));
}

TEST_F(Players_Display_Test, WithoutChipsOrPrizesThoseFiguresAreLeftOut)
{
    Start_Tourney(QByteArray(), 20, 0, 0);
    TPlayers_Display* d = Open_Display();
    Frame(d, QSize(1280, 720));
    const auto& f = d->Last_Frame();
    EXPECT_EQ(Shown(f, "players"), QStringLiteral("0 / 0"));
    EXPECT_EQ(Text(f, "average"), nullptr); // no chips: no average, no division by zero
    EXPECT_EQ(Text(f, "pool"), nullptr);
    // The room to spare shows the levels after the next.
    EXPECT_EQ(Shown(f, "later_level1"), QStringLiteral("Level 3"));
    EXPECT_EQ(Shown(f, "later_blinds1"), QStringLiteral("20 / 40"));
    EXPECT_EQ(Shown(f, "later_level4"), QStringLiteral("Level 6"));
    Expect_Clean_Layout(f, QSize(1280, 720));
    Frame(d, QSize(1920, 1080));
    Expect_Clean_Layout(d->Last_Frame(), QSize(1920, 1080));
}

TEST_F(Players_Display_Test, FollowsADrivenClockThroughTheLastTenSecondsAndALevelEnd)
{
    Start_Tourney(Chips_And_Prizes(), 1);
    TPlayers_Display* d = Open_Display();
    form->Toggle_Start->trigger();
    Tick(50);
    QImage img = Frame(d, QSize(1280, 720));
    EXPECT_EQ(Shown(d->Last_Frame(), "time"), QStringLiteral("0:10"));
    EXPECT_EQ(Text(d->Last_Frame(), "paused"), nullptr);
    const Display_Text* time = Text(d->Last_Frame(), "time");
    ASSERT_NE(time, nullptr);
    // A point of the clock's panel beside the digits takes the flash colour.
    const QPoint beside = (time->panel.topLeft() + QPointF(time->panel.width() * 0.03, time->panel.height() / 2)).toPoint();
    const QColor red = img.pixelColor(beside);
    EXPECT_GT(red.red(), 150);
    EXPECT_LT(red.green(), 60);
    Tick();
    img = Frame(d, QSize(1280, 720));
    EXPECT_EQ(Shown(d->Last_Frame(), "time"), QStringLiteral("0:09"));
    EXPECT_LT(img.pixelColor(beside).red(), 40);

    Tick(9);
    EXPECT_EQ(d->Facts().time_left, QStringLiteral("0:00"));
    Tick(); // the level ends and the next begins
    Frame(d, QSize(1280, 720));
    EXPECT_EQ(Shown(d->Last_Frame(), "level"), QStringLiteral("Level 2 of 20"));
    EXPECT_EQ(Shown(d->Last_Frame(), "small_blind"), QStringLiteral("10"));
    EXPECT_EQ(Shown(d->Last_Frame(), "time"), QStringLiteral("1:00"));
    EXPECT_FALSE(d->Facts().flashing_red);

    form->Toggle_Start->trigger();
    Frame(d, QSize(1280, 720));
    EXPECT_EQ(Shown(d->Last_Frame(), "paused"), QStringLiteral("Paused"));
}

TEST_F(Players_Display_Test, NothingIsCutOffOrOverlapsAtTelevisionSizes)
{
    // The worst case: a long name, six-figure blinds, big amounts, ten places.
    QByteArray trn = "[Chips]\nFirst Value=100000\nFirst Quanity=999\n[Prizes]\nTotal=987654.5\n";
    for (int i = 0; i < 10; ++i)
        trn += "Prize " + QByteArray::number(i) + "=" + QByteArray::number(10) + "\n";
    trn.prepend("SB0=250000\nBB0=500000\nSB1=300000\nBB1=600000\n");
    Start_Tourney(trn, 59, 150, 1);
    TPlayers_Display* d = Open_Display();
    form->Current_Tourney->Name = QStringLiteral("The Very Long Thursday Night Championship of the Neighbourhood");
    for (const QSize size : {QSize(1920, 1080), QSize(1280, 720), QSize(1024, 768), QSize(640, 360)}) {
        for (bool paused : {true, false}) {
            form->Clock.Paused = paused ? 1 : 0;
            Frame(d, size);
            SCOPED_TRACE(QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(paused).toStdString());
            Expect_Clean_Layout(d->Last_Frame(), size);
            EXPECT_EQ(Shown(d->Last_Frame(), "small_blind"), QLocale().toString(250000));
            EXPECT_EQ(Shown(d->Last_Frame(), "payout5"), QLocale().toString(98765.45, 'f', 2));
        }
    }
    // The time is the largest text on the screen.
    Frame(d, QSize(1920, 1080));
    const Display_Text* time = Text(d->Last_Frame(), "time");
    for (const Display_Text& t : d->Last_Frame())
        if (&t != time) {
            EXPECT_LT(t.bounds.height(), time->bounds.height()) << t.role.toStdString();
        }
    // Readable from five metres: the digits stand well over a quarter of the screen.
    EXPECT_GT(time->bounds.height(), 1080 * 0.25);
}

TEST_F(Players_Display_Test, RemembersItsSizeAndFullScreenInTheSettingsFile)
{
    Start_Tourney(QByteArray());
    TPlayers_Display* d = Open_Display();
    d->resize(700, 400);
    QTest::keyClick(d, Qt::Key_F11);
    EXPECT_TRUE(d->isFullScreen());
    QTest::keyClick(d, Qt::Key_Escape); // closing writes what is still waiting
    EXPECT_EQ(Setting("Display", "Full Screen"), QStringLiteral("1"));
    EXPECT_EQ(Setting("Display", "Width"), QStringLiteral("700"));
    EXPECT_EQ(Setting("Display", "Height"), QStringLiteral("400"));
    EXPECT_NE(Setting("Display", "Screen"), QStringLiteral("<no key>"));
    // The settings of the main window are not disturbed.
    Finish();
    EXPECT_EQ(Setting("Parameters", "Last Tourney"), QStringLiteral("Default.trn"));

    Start();
    d = Open_Display();
    EXPECT_TRUE(d->isFullScreen());
    QTest::mouseDClick(d, Qt::LeftButton);
    EXPECT_FALSE(d->isFullScreen());
    EXPECT_EQ(d->size(), QSize(700, 400));
    form->PlayersDisplay1->trigger();
    EXPECT_EQ(Setting("Display", "Full Screen"), QStringLiteral("0"));
}

TEST_F(Players_Display_Test, APlacementOffEveryScreenComesBackOnScreen)
{
    folder.Write(QFileInfo(Settings_Path()).fileName(),
                 "[Display]\nScreen=gone\nLeft=90000\nTop=-5000\nWidth=100000\nHeight=20\n");
    Start_Tourney(QByteArray());
    TPlayers_Display* d = Open_Display();
    const QRect area = d->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(d->geometry())) << d->geometry().x() << "," << d->geometry().y() << " "
                                              << d->width() << "x" << d->height() << " in " << area.width() << "x" << area.height();
    EXPECT_GE(d->height(), d->minimumHeight());
}

} // namespace
