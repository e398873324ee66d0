// The three HTML reports byte for byte against their documented lines, and
// how they are written: CRLF, Latin-1, escaping, the Reports folder, failures.
#include "reports/Report_gen.h"

#include "model/Player.h"
#include "model/Season_standings.h"
#include "reports/Results_report.h"
#include "reports/Season_report.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "platform/Qt_host.h"
#include "support/Test_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <csignal>
#include <cstring>
#include <initializer_list>

namespace {

// The documented lines, each ended by CR LF.
QByteArray Lines(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* line : lines)
        out.append(line).append("\r\n");
    return out;
}

const QByteArray Contact_Head = Lines({
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)",
    R"(<html><head><title>Velmora: Player List</title></head><body bgcolor="#FFFFFF">)",
    R"(<p><font size="+7"><img src="logo.jpg" width="104" height="189"><font color="#000000">  Player List  </font></p>)",
    R"(<p>&nbsp;</p><table width="75%" border="0"><tr><td><strong>Name:</strong></td><td><strong>Phone Number:</strong></td>)",
    "<tr></tr>",
});
const QByteArray Top10_Head = Lines({
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)",
    R"(<html><head><title>Velmora: Top 10 List</title></head><body bgcolor="#FFFFFF">)",
    R"(<p><img src="logo.jpg" width="104" height="189"><font size="+7"> <font color="#000000"> Player List </font></p>)",
    R"(<p>&nbsp;</p><table width="75%" border="0"><tr><td><strong>Finish:</strong></td><td><strong>Name:</strong></td>)",
    "<tr></tr>",
});
const QByteArray List_End = Lines({R"(</table><p><font size="+7"></font> </p></body></html>)"});
const QByteArray Seating_Head = Lines({
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)",
    R"(<html><head><title>Velmora: Seating List</title></head><body bgcolor="#FFFFFF">)",
    R"(<p><img src="logo.jpg" width="104" height="189"><font size="+7"> <font color="#000000"> Seating List </font></p>)",
});
const QByteArray Seating_End = Lines({"</body></html>"});

QByteArray Table_Head(int number)
{
    return "<p><font size=\"+3\"> <font color=\"#000000\"> Table " + QByteArray::number(number) + " </font></p>\r\n"
           "<table border=\"0\"><tr><td><strong>Seat:</strong></td><td><strong>Name:</strong></td></tr>\r\n";
}

QByteArray Row(const QByteArray& first, const QByteArray& second)
{
    return "<tr><td>" + first + "</td><td>" + second + "</td></tr>\r\n";
}

class Reports_Test : public ::testing::Test {
protected:
    Test_Folder folder;
    CTourney t;

    void SetUp() override { QDir().mkpath(Data_Folder()); }

    // Appends an entry as the entry file would hold it (bytes of the name as given).
    void Entry(const QByteArray& name, int table = 0, int seat = 0, int place = 0)
    {
        CTourneyPlayer& e = t.Players[t.Total++];
        std::memset(&e, 0, sizeof e);
        std::memcpy(e.Name, name.constData(), static_cast<size_t>(name.size()));
        e.Table = table;
        e.Seat = seat;
        e.Place = place;
    }

    void Person(const QByteArray& first, const QByteArray& last, const QByteArray& phone)
    {
        CPlayer p;
        std::memcpy(p.First, first.constData(), static_cast<size_t>(first.size()));
        std::memcpy(p.Last, last.constData(), static_cast<size_t>(last.size()));
        std::memcpy(p.Phone, phone.constData(), static_cast<size_t>(phone.size()));
        ASSERT_TRUE(Player_DB.Add(p));
    }

    QByteArray Contact() { return Contact_List_Page(t.Players, t.Total, Player_DB); }
};

TEST_F(Reports_Test, NoPlayersGivesOnlyTheFixedLines)
{
    EXPECT_EQ(Contact(), Contact_Head + List_End);
    EXPECT_EQ(Top10_Page(t), Top10_Head + List_End);
    EXPECT_EQ(Seating_Page(t), Seating_Head + Seating_End);
}

TEST_F(Reports_Test, ResultsListAllPlacesWithThePlayersStillInOnTop)
{
    // Five players, two out: the first out holds place 5, the second place 4.
    Entry("Ann,Lee");
    Entry("Bob,Day", 0, 0, 5);
    Entry("Cy,Fox");
    Entry("Di,Ray", 0, 0, 4);
    Entry("Ed,Roe");
    EXPECT_EQ(Top10_Page(t), Top10_Head + Row("1", "Still Playing") + Row("2", "Still Playing")
                                 + Row("3", "Still Playing") + Row("4", "Di,Ray") + Row("5", "Bob,Day") + List_End);

    // Twelve players: every place is listed, not only ten; a place held twice
    // shows its first holder.
    for (int i = 0; i < 7; ++i)
        Entry("P" + QByteArray::number(i) + ",Q", 0, 0, i == 0 ? 4 : 0);
    const QByteArray page = Top10_Page(t);
    EXPECT_TRUE(page.contains(Row("12", "Still Playing")));
    EXPECT_TRUE(page.contains(Row("4", "Di,Ray")));
    EXPECT_FALSE(page.contains("P0,Q"));
    EXPECT_FALSE(page.contains(Row("13", "Still Playing")));
}

TEST_F(Reports_Test, SeatingListsTablesInOrderAndSeatsPadded)
{
    // Tables 1 and 3 only, entered out of order: an empty Table 2 is written
    // between them and nothing after Table 3.
    Entry("Zed,Ray", 2, 11);
    Entry("Al,Bo", 0, 6);
    Entry("Cy,Fox", 0, 0);
    EXPECT_EQ(Seating_Page(t), Seating_Head + Table_Head(1) + Row(" 1", "Cy,Fox") + Row(" 7", "Al,Bo")
                                   + "</table>\r\n" + Table_Head(2) + "</table>\r\n" + Table_Head(3)
                                   + Row("12", "Zed,Ray") + "</table>\r\n" + Seating_End);
}

TEST_F(Reports_Test, SeatingListWritesAllTenTablesWhenSomeoneIsNotListed)
{
    // Two players share a seat (the second is not listed) and one sits at
    // "table 12": the count never reaches the entries, so all ten tables come.
    Entry("Ann,Lee", 0, 0);
    Entry("Bob,Day", 0, 0);
    Entry("Cy,Fox", 11, 0);
    Entry("Di,Ray", 9, 299);
    const QByteArray page = Seating_Page(t);
    EXPECT_TRUE(page.contains(Table_Head(1) + Row(" 1", "Ann,Lee") + "</table>\r\n"));
    EXPECT_FALSE(page.contains("Bob,Day"));
    EXPECT_FALSE(page.contains("Cy,Fox"));
    EXPECT_TRUE(page.endsWith(Table_Head(10) + Row("300", "Di,Ray") + "</table>\r\n" + Seating_End));
    EXPECT_FALSE(page.contains("Table 11"));
}

TEST_F(Reports_Test, ContactListFollowsTheEntriesAndSkipsDeletedPlayers)
{
    Person("Ann", "Lee", "555-0101");
    Person("Bob", "Day", "555-0202");
    Person("Cy", "Fox", "");
    Entry("Cy,Fox", 1, 0, 0);
    Entry("Ann,Lee", 0, 0, 3);
    Entry("Gone,Away", 0, 1, 2);   // deleted from the database after being entered
    Entry("Bob,Day", 0, 2, 0);
    EXPECT_EQ(Contact(), Contact_Head + Row("Cy,Fox", "") + Row("Ann,Lee", "555-0101") + Row("Bob,Day", "555-0202")
                             + List_End);
    // The deleted player keeps his rows in the other two pages.
    EXPECT_TRUE(Top10_Page(t).contains(Row("2", "Gone,Away")));
    EXPECT_TRUE(Seating_Page(t).contains(Row(" 2", "Gone,Away")));
    // Only the count given is listed.
    EXPECT_EQ(Contact_List_Page(t.Players, 1, Player_DB), Contact_Head + Row("Cy,Fox", "") + List_End);
}

TEST_F(Reports_Test, NamesAndPhonesAreEscapedAndStayLatin1)
{
    Person("Tom&Jo", "<b>", "555 \"x\" > 1");
    Person("J\xe9r\xf4me", "Ma\xdf", "0");
    Entry("Tom&Jo,<b>", 0, 0, 1);
    Entry("J\xe9r\xf4me,Ma\xdf", 0, 1);
    EXPECT_EQ(Contact(), Contact_Head + Row("Tom&amp;Jo,&lt;b&gt;", "555 &quot;x&quot; &gt; 1")
                             + Row("J\xe9r\xf4me,Ma\xdf", "0") + List_End);
    EXPECT_TRUE(Top10_Page(t).contains(Row("1", "Tom&amp;Jo,&lt;b&gt;")));
    EXPECT_TRUE(Seating_Page(t).contains(Row(" 1", "Tom&amp;Jo,&lt;b&gt;") + Row(" 2", "J\xe9r\xf4me,Ma\xdf")));
    EXPECT_EQ(Html_Escaped("a&&b"), QByteArray("a&amp;&amp;b"));
}

// A name or phone whose one special character is a lone <, > or " is
// escaped in every report, the results and the season's standings too.
TEST_F(Reports_Test, ALoneSpecialCharacterIsEscapedInEveryReport)
{
    struct Case {
        char special;
        const char* entity;
    };
    const Case cases[] = {{'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.special));
        t = CTourney();
        const QByteArray first = "An" + QByteArray(1, c.special) + "n";
        Person(first, "Lee", "555" + QByteArray(1, c.special) + "01");
        Entry(first + ",Lee", 0, 0, 1);
        const QByteArray key = "An" + QByteArray(c.entity) + "n,"; // a page may let the name wrap after the comma
        Season season;
        season.name = QStringLiteral("Spring ") + QLatin1Char(c.special);
        Season_Table table;
        Standing row;
        row.rank = row.evenings = row.wins = row.best = 1;
        row.key = QString::fromLatin1(first + ",Lee");
        table.rows = {row};
        Evening evening;
        evening.tourney = QStringLiteral("Friday ") + QLatin1Char(c.special);
        evening.date = QDate(2026, 12, 4);
        evening.field = 1;
        evening.entries.resize(1);
        evening.entries[0].key = row.key;
        evening.entries[0].place = 1;
        table.evenings = {evening};
        const QByteArray pages[] = {Contact(), Top10_Page(t), Seating_Page(t), Results_Page(t),
                                    Season_Page(season, table)};
        for (const QByteArray& page : pages) {
            EXPECT_TRUE(page.contains(key)) << page.constData();
            EXPECT_FALSE(page.contains("An" + QByteArray(1, c.special))) << page.constData();
        }
        EXPECT_TRUE(pages[0].contains("555" + QByteArray(c.entity) + "01"));
        EXPECT_TRUE(pages[4].contains("Spring " + QByteArray(c.entity)));
        EXPECT_TRUE(pages[4].contains("Friday " + QByteArray(c.entity)));
    }
}

// Escaping leaves no markup character behind and is undone exactly.
RC_GTEST_PROP(Report_Escaping, EveryLatin1TextComesBackWhole, ())
{
    const auto codes = *rc::gen::container<std::vector<int>>(
        rc::gen::oneOf(rc::gen::element<int>('&', '<', '>', '"', ';', 'a'), rc::gen::inRange(1, 256)));
    QByteArray text;
    for (int code : codes)
        text.append(static_cast<char>(code));
    QByteArray escaped = Html_Escaped(text);
    RC_ASSERT(escaped.indexOf('<') < 0 && escaped.indexOf('>') < 0 && escaped.indexOf('"') < 0);
    escaped.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
    RC_ASSERT(escaped == text);
}

// The season's winnings and bounty money are sums of cents: the page writes
// them as the results page writes a prize, "12.50" and never "12.5".
RC_GTEST_PROP(Season_Page_Money, WinningsAndBountiesAreWrittenToTheCent, ())
{
    const auto winnings = *rc::gen::inRange<qint64>(0, 1'000'000'00);
    const auto bounty = *rc::gen::inRange<qint64>(1, 100'000'00);
    Standing row;
    row.rank = row.evenings = row.best = 1;
    row.key = QStringLiteral("Ann,Lee");
    row.winnings = static_cast<double>(winnings) / 100;
    row.bounties = 2;
    row.bounty_money = static_cast<double>(bounty) / 100;
    Season_Table table;
    table.rows = {row};
    const auto text = [](qint64 cents) {
        const QString whole = QString::number(cents / 100);
        return (cents % 100 == 0 ? whole : whole + QString::asprintf(".%02lld", cents % 100)).toLatin1();
    };
    const QByteArray page = Season_Page(Season(), table);
    RC_ASSERT(page.contains(R"(<td class="num">)" + text(winnings) + "</td>"));
    RC_ASSERT(page.contains(R"(2 <span class="paid">()" + text(bounty) + ")</span>"));
}

TEST_F(Reports_Test, WritersCreateTheReportsFolderAndReplaceTheOldPage)
{
    Entry("Ann,Lee", 0, 4);
    ASSERT_FALSE(QDir(Reports_Folder()).exists());
    const QString seating = Write_Seating(t);
    EXPECT_EQ(seating, folder.path() + "Reports/Seating.htm");
    EXPECT_EQ(folder.Read("Reports/Seating.htm"), Seating_Page(t));

    folder.Write("Reports/Top10.htm", QByteArray(5000, 'x'));
    EXPECT_EQ(Write_Top10(t), folder.path() + "Reports/Top10.htm");
    EXPECT_EQ(folder.Read("Reports/Top10.htm"), Top10_Page(t));
    EXPECT_EQ(Write_Contact_List(t.Players, t.Total, Player_DB), folder.path() + "Reports/Contact.htm");
    EXPECT_EQ(folder.Read("Reports/Contact.htm"), Contact_Head + List_End);
    // The logo is the program's business, never the writers'.
    EXPECT_FALSE(QFile::exists(folder.path() + "Reports/logo.jpg"));
}

TEST_F(Reports_Test, APageThatCannotBeWrittenRaisesAndKeepsTheOldOne)
{
    const QString old = folder.Write("Reports/Top10.htm", "old page");
    QFile::setPermissions(folder.path() + "Reports", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    try {
        Write_Top10(t);
        ADD_FAILURE() << "no error raised";
    } catch (const std::exception& e) {
        EXPECT_EQ(QString::fromLocal8Bit(e.what()), "Unable to write to " + old);
    }
    QFile::setPermissions(folder.path() + "Reports", QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                         | QFileDevice::ExeOwner);
    EXPECT_EQ(folder.Read("Reports/Top10.htm"), QByteArray("old page"));

    // A Reports that is a file, not a folder.
    QFile::remove(old);
    QDir(folder.path()).rmdir("Reports");
    folder.Write("Reports", "not a folder");
    EXPECT_THROW(Write_Seating(t), std::exception);
}

// How an opener ends tells whether the report was opened: a failure at once
// (xdg-open with no viewer) is "no", a good end or a viewer still running
// after the wait is "yes" (and the viewer is left to run).
TEST(Report_Opening, TheOpenersEndTellsWhetherAnythingOpened)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        const char* script; // "" : no such program
        bool opened;
    };
    const Case cases[] = {
        {"no viewer", "exit 3", false},
        {"viewer opened", "test -f \"$1\" && exit 0; exit 2", true},
        {"viewer in the foreground", "echo $$ > \"$0.pid\"; exec sleep 30", true},
        {"no opener", "", false},
    };
    const QString page = dir.filePath(QStringLiteral("Top10.htm"));
    QFile(page).open(QIODevice::WriteOnly);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString program = dir.filePath(QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('_')));
        if (*c.script != '\0') {
            QFile file(program);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("#!/bin/sh\n") + c.script + "\n");
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        EXPECT_EQ(Open_With(program, page, 1500), c.opened);
        QFile pid_file(program + ".pid");
        if (pid_file.open(QIODevice::ReadOnly)) {
            const qint64 pid = pid_file.readAll().trimmed().toLongLong();
            ASSERT_GT(pid, 1);
            EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0) << "the viewer was stopped";
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
    }
}

} // namespace
