// The pages a host shares (the results and the season's standings) as the
// group sees them: in a real browser at a phone's 390 px and a desktop's
// 1280 px, with the longest names and amounts.
#include "reports/Report_page.h"

#include "model/Money.h"
#include "model/Season_standings.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "reports/Results_report.h"
#include "reports/Season_report.h"
#include "support/Headless_browser.h"
#include "support/Test_folder.h"

#include <QDir>
#include <QImage>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString Tourney_Name = QStringLiteral("J\u00f6rg's Friday <Cup>");

// An evening with money at its widest: 19-character names, a rebuy, a
// bounty worth cents, players still in.
void Write_Results_Page()
{
    CTourney t;
    t.Load_File(Tourney_Name);
    for (const char* name : {"Maximilian,Oberhaus", "J\xf6rg,\xdcnal", "Bo,\"Q\"", "Cy,Oh", "Di,Ek", "Ed,Fo"})
        t.Enter_Player(QString::fromLatin1(name));
    t.Money.Settings.Currency = QStringLiteral("\u20ac");
    t.Money.Settings.Bounty = Money_Amount::Of_Cents(250);
    t.Money.Settings.Rebuy_Until = 4;
    t.Prize_Total = 123456.5f;
    t.Prize[0] = 60, t.Prize[1] = 40;
    Rebuy(t, QStringLiteral("Cy,Oh"), 1);
    for (const char* out : {"Ed,Fo", "Di,Ek", "Cy,Oh"}) {
        t.Set_Out(QString::fromLatin1(out));
        Credit_Knock_Out(t, QString::fromLatin1(out), QStringLiteral("Maximilian,Oberhaus"));
    }
    Write_Results(t);
}

Season Winter()
{
    Season s;
    s.name = QStringLiteral("Winter \u20ac League");
    return s;
}

// A season of 150 players with long names and the largest sums a long
// season of home games gives.
Season_Table Big_Season()
{
    Season_Table table;
    for (int i = 0; i < 150; ++i) {
        Standing s;
        s.rank = i + 1;
        s.key = QStringLiteral("Maximilian%1,Oberhaus").arg(i, 3, 10, QLatin1Char('0')).left(19);
        s.points = 4999 - i;
        s.evenings = s.final_tables = s.in_money = 200;
        s.wins = 99;
        s.winnings = 98765.5;
        s.bounties = 150;
        s.bounty_money = 4321.5;
        table.rows << s;
    }
    for (int day = 4; day <= 18; day += 7) {
        Evening e;
        e.tourney = QStringLiteral("Friday %1.trn").arg(day);
        e.date = QDate(2026, 12, day);
        e.field = 150;
        table.evenings << e;
    }
    return table;
}

// What a page shows at one width.
struct Seen {
    QString charset, heading, date, first_bounty;
    int viewport = 0, page_width = 0, widest_table = 0;
    double logo_shape = 0, logo_natural_shape = 0;
};

Seen Look(Headless_Browser& browser, const QString& file, int width, bool phone)
{
    browser.Show_At(width, phone ? 844 : 900, phone, QUrl::fromLocalFile(Reports_Folder() + file).toString());
    const auto text = [&](const char* script) { return browser.Evaluate(QString::fromLatin1(script)).toString(); };
    const auto number = [&](const char* script) { return browser.Evaluate(QString::fromLatin1(script)).toDouble(); };
    Seen s;
    s.charset = text("document.characterSet");
    s.heading = text("document.querySelector('h1').textContent");
    s.date = text("(document.querySelector('.date')||{}).textContent||''");
    s.first_bounty = text("document.querySelector('tbody tr td:nth-child(4)').textContent");
    s.viewport = static_cast<int>(number("innerWidth"));
    s.page_width = static_cast<int>(number("document.documentElement.scrollWidth"));
    s.widest_table = static_cast<int>(
        number("Math.max(...[...document.querySelectorAll('table')].map(t=>t.getBoundingClientRect().right))"));
    s.logo_shape = number("(()=>{const i=document.querySelector('img.logo');return i.width/i.height})()");
    s.logo_natural_shape = number("(()=>{const i=document.querySelector('img.logo');return i.naturalWidth/i.naturalHeight})()");
    return s;
}

// Both pages at a phone's width and a desktop's: read as UTF-8, the name and
// the date in the heading, the widest table inside the screen (nothing to
// scroll sideways), the logo in its own shape, bounty money beside the count.
TEST(Report_Pages, ResultsAndSeasonFitAPhoneAndADesktopInARealBrowser)
{
    if (Headless_Browser::Program().isEmpty())
        GTEST_SKIP() << "no chromium installed";
    Test_Folder folder;
    QDir().mkpath(Data_Folder());
    Write_Results_Page();
    Write_Season_Report(Winter(), Big_Season());
    // A logo wider than high: the documented 104 x 189 box would squeeze it.
    QImage logo(300, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    ASSERT_TRUE(logo.save(Reports_Folder() + QStringLiteral("logo.jpg"), "JPG"));

    Headless_Browser browser(QStringLiteral("about:blank"));
    ASSERT_TRUE(browser.Ready());
    struct Case {
        const char* file;
        QString heading, date, first_bounty;
    };
    const Case pages[] = {
        {"Results.htm", QStringLiteral("J\u00f6rg's Friday <Cup>"), Heading_Date(QDate::currentDate()),
         QStringLiteral("3 (\u20ac7.50)")},
        {"Season.htm", QStringLiteral("Winter \u20ac League"), QStringLiteral("4 December 2026 to 18 December 2026"),
         QStringLiteral("99")},
    };
    for (const Case& page : pages) {
        for (const auto& [width, phone] : {std::pair{390, true}, std::pair{1280, false}}) {
            SCOPED_TRACE(std::string(page.file) + " at " + std::to_string(width));
            const Seen seen = Look(browser, QString::fromLatin1(page.file), width, phone);
            EXPECT_EQ(seen.charset, QStringLiteral("UTF-8"));
            EXPECT_EQ(seen.heading, page.heading);
            EXPECT_EQ(seen.date, page.date);
            EXPECT_EQ(seen.viewport, width);
            EXPECT_LE(seen.page_width, width);
            EXPECT_GT(seen.widest_table, width / 2);
            EXPECT_LE(seen.widest_table, width);
            EXPECT_NEAR(seen.logo_natural_shape, 3.0, 0.01);
            EXPECT_NEAR(seen.logo_shape, seen.logo_natural_shape, 0.05);
            if (QLatin1String(page.file) == QLatin1String("Results.htm")) {
                EXPECT_EQ(seen.first_bounty, page.first_bounty);
            }
        }
    }
}

} // namespace
