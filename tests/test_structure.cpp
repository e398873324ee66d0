// The structure beyond the documented schedule: antes, a length per level and
// breaks, their section of the tournament file, the walk through levels and
// breaks, and the planner (the end model has tests of its own).
#include "model/Structure_planner.h"
#include "model/Tourney.h"
#include "support/Test_folder.h"

#include <QDir>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>

namespace {

// A tournament file of the documented sections as the INI writer lays it out
// (two blank lines between sections), with a key no reader here knows.
QByteArray Documented_File()
{
    QByteArray trn = "[Setup]\nTime=15\n";
    for (int k = 0; k < Level_Count; ++k)
        trn += "SB" + QByteArray::number(k) + "=" + QByteArray::number(25 * (k + 1)) + "\nBB"
               + QByteArray::number(k) + "=" + QByteArray::number(50 * (k + 1)) + "\n";
    trn += "Sound=/music/night.m3u\nWarning=\nColour=green\n\n\n[Players]\nTotal=0\nOut=0\n\n\n[Chips]\n";
    const char* const ordinal[] = {"First", "Second", "Third", "Fourth", "Fifth"};
    for (const char* o : ordinal)
        trn += QByteArray(o) + "=0\n";
    for (const char* o : ordinal)
        trn += QByteArray(o) + " Value=25\n";
    for (const char* o : ordinal)
        trn += QByteArray(o) + " Quanity=20\n";
    for (const char* o : ordinal)
        trn += QByteArray(o) + " Path=/chips/" + o + ".jpg\n";
    trn += "\n\n[Prizes]\nTotal=300\n";
    for (int i = 0; i < Prize_Count; ++i)
        trn += "Prize " + QByteArray::number(i) + "=" + (i == 0 ? "50" : "5.5") + "\n";
    return trn;
}

class Structure_File_Test : public ::testing::Test {
protected:
    Test_Folder folder;
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(folder.data())); }
};

TEST_F(Structure_File_Test, DocumentedFileKeepsItsBytesAndTheSectionComesAndGoes)
{
    const QByteArray documented = Documented_File();
    folder.Write("Data/Cup.trn", documented);
    CTourney t;
    t.Load_File("Cup.trn");
    EXPECT_TRUE(t.Structure.Empty());
    EXPECT_EQ(t.Structure.Level_Minutes(4, t.Time), 15);
    t.Save_File("Cup.trn");
    EXPECT_EQ(folder.Read("Data/Cup.trn"), documented);

    // Set antes, a length and a break: only a section of their own is added.
    t.Structure.Ante_Type = Ante_Kind::Per_Player;
    t.Structure.Levels[6].Ante = 400;
    t.Structure.Levels[9].Minutes = 30;
    t.Structure.Levels[3].Break_Minutes = 15;
    t.Structure.Levels[3].Break_Note = QStringLiteral("Colour up the 5s");
    t.Save_File("Cup.trn");
    const QByteArray with = folder.Read("Data/Cup.trn");
    ASSERT_TRUE(with.startsWith(documented));
    EXPECT_EQ(with.mid(documented.size()),
              QByteArray("\n\n[Structure]\nAnte Type=Per Player\nBreak3=15\nBreak Note3=Colour up the 5s\n"
                         "Ante6=400\nMinutes9=30\n"));

    CTourney again;
    again.Load_File("Cup.trn");
    EXPECT_EQ(again.Structure, t.Structure);
    EXPECT_EQ(again.Time, 15); // the documented length is untouched
    EXPECT_EQ(again.Blinds[6].SB, 175);

    // Cleared again: the file is the documented one once more.
    again.Structure = CStructure();
    again.Save_File("Cup.trn");
    EXPECT_EQ(folder.Read("Data/Cup.trn").trimmed(), documented.trimmed());
}

TEST_F(Structure_File_Test, ValuesOutOfRangeAreReadIntoRange)
{
    folder.Write("Data/Cup.trn", "[Structure]\nAnte Type=whatever\nAnte0=-5\nAnte1=0x64\nMinutes2=75\nMinutes3=-1\n"
                                 "Minutes4=abc\nBreak5=900\nBreak6=-3\nBreak Note6=lost\nBreak19=10\n"
                                 "Break Note19=no level follows\nBreak Note7=no break\n");
    CTourney t;
    t.Load_File("Cup");
    const CStructure& s = t.Structure;
    EXPECT_EQ(s.Ante_Type, Ante_Kind::Big_Blind);
    EXPECT_TRUE(t.Load_Notice.contains(QStringLiteral("\"whatever\"")));
    EXPECT_EQ(s.Levels[0].Ante, 0);
    EXPECT_EQ(s.Levels[1].Ante, 100);
    EXPECT_EQ(s.Levels[2].Minutes, Max_Level_Minutes);
    EXPECT_EQ(s.Levels[3].Minutes, 0);
    EXPECT_EQ(s.Levels[4].Minutes, 0);
    EXPECT_EQ(s.Levels[5].Break_Minutes, Max_Break_Minutes);
    EXPECT_EQ(s.Levels[6].Break_Minutes, 0);
    EXPECT_TRUE(s.Levels[6].Break_Note.isEmpty());
    EXPECT_TRUE(s.Levels[7].Break_Note.isEmpty());
    EXPECT_FALSE(s.Break_After(19));
    EXPECT_EQ(s.Levels[19].Break_Minutes, 0);
}

TEST(Structure_Ante_Kind, IsReadWhateverItsCaseAndBlanks)
{
    struct Case {
        const char* text;
        std::optional<Ante_Kind> kind;
    };
    const Case cases[] = {
        {"Per Player", Ante_Kind::Per_Player}, {"per player", Ante_Kind::Per_Player},
        {"PerPlayer", Ante_Kind::Per_Player},  {" PER  PLAYER\t", Ante_Kind::Per_Player},
        {"Big Blind", Ante_Kind::Big_Blind},   {"bigblind", Ante_Kind::Big_Blind},
        {"", Ante_Kind::Big_Blind},            {"per-player", std::nullopt},
        {"player", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read_Ante_Kind(QString::fromLatin1(c.text)), c.kind) << c.text;
    // What is written reads back as itself.
    for (Ante_Kind k : {Ante_Kind::Big_Blind, Ante_Kind::Per_Player})
        EXPECT_EQ(Read_Ante_Kind(Ante_Kind_Text(k)), k);
}

TEST(Structure_Walk, NextAndPreviousPassThroughBreaksAndStopAtTheEnds)
{
    CStructure s;
    s.Levels[1].Break_Minutes = 10;
    s.Levels[2].Minutes = 30;
    const Clock_Position l1{0, false}, l2{1, false}, b2{1, true}, l3{2, false};
    EXPECT_EQ(s.Next(l1), l2);
    EXPECT_EQ(s.Next(l2), b2);
    EXPECT_EQ(s.Next(b2), l3);
    EXPECT_EQ(s.Previous(l3), b2);
    EXPECT_EQ(s.Previous(b2), l2);
    EXPECT_EQ(s.Previous(l2), l1);
    EXPECT_EQ(s.Previous(l1), l1);
    EXPECT_EQ(s.Next(Clock_Position{19, false}), (Clock_Position{19, false}));
    EXPECT_EQ(s.Minutes_Of(b2, 20), 10);
    EXPECT_EQ(s.Minutes_Of(l3, 20), 30);
    EXPECT_EQ(s.Minutes_Of(l2, 20), 20);
    // A break that is no longer scheduled is not stepped into.
    s.Levels[1].Break_Minutes = 0;
    EXPECT_EQ(s.Next(l2), l3);
}

// ---- the planner ----

// 1, 1.5, 2, 2.5, 3, 4, 5, 6, 7.5 or 8 times a power of ten.
bool Round(int64_t v)
{
    for (int64_t power = 1; power <= v; power *= 10)
        for (int64_t tenths : {10, 15, 20, 25, 30, 40, 50, 60, 75, 80})
            if (v * 10 == tenths * power)
                return true;
    return false;
}

// What the README promises of every plan; empty when it holds.
std::string Broken_Promise(const Planner_Input& in, const Planned_Structure& p)
{
    if (p.levels.size() != Level_Count)
        return "not twenty levels";
    QVector<int> chips = in.chips.isEmpty() ? Usual_Chips(in.smallest_chip) : in.chips;
    std::sort(chips.begin(), chips.end());
    chips.erase(std::unique(chips.begin(), chips.end()), chips.end());
    int unit = 0;
    const QString warned = p.warnings.join(QLatin1Char('\n'));
    const auto level = [](int k) { return " at level " + std::to_string(k + 1); };
    for (int k = 0; k < Level_Count; ++k) {
        const Plan_Level& lv = p.levels[k];
        const int64_t c = chips[unit];
        if (lv.big_blind != 2 * lv.small_blind || lv.small_blind % c != 0 || lv.ante % c != 0)
            return "blinds or ante not in the chips in play" + level(k);
        if (!Round(lv.big_blind) && lv.big_blind != 2 * c)
            return "big blind " + std::to_string(lv.big_blind) + " not round" + level(k);
        if (k > 0) {
            const double step = double(lv.big_blind) / p.levels[k - 1].big_blind;
            if ((step < Lowest_Step - 1e-9 || step > Highest_Step + 1e-9)
                && !warned.contains(QStringLiteral("Level %1:").arg(k + 1)))
                return "step " + std::to_string(step) + " not warned" + level(k);
        }
        if (lv.break_minutes == 0 || k + 1 == Level_Count)
            continue;
        // At a break the smallest chips go exactly while the next small
        // blind is three of the next chip.
        const int64_t next_small = p.levels[k + 1].small_blind;
        const int before = unit;
        while (unit + 1 < chips.size() && lv.break_note.contains(QStringLiteral("the %1s").arg(chips[unit])))
            ++unit;
        if (unit > before && next_small < 3 * int64_t(chips[unit]))
            return "coloured up too soon" + level(k);
        if (unit + 1 < chips.size() && next_small >= 3 * int64_t(chips[unit + 1]))
            return "not coloured up" + level(k);
    }
    const double depth = double(in.starting_stack) / p.levels[0].big_blind;
    if ((depth < Least_Start_Depth || depth > Most_Start_Depth) && !warned.contains(QStringLiteral("big blinds")))
        return "a start of " + std::to_string(depth) + " big blinds not warned";
    return {};
}

RC_GTEST_PROP(Structure_Planner, KeepsItsPromisesForAnyEvening, ())
{
    Planner_Input in;
    in.players = *rc::gen::inRange(2, 151);
    in.starting_stack = *rc::gen::inRange(10, 1001) * 100;
    in.smallest_chip = *rc::gen::oneOf(rc::gen::element(1, 5, 10, 25, 50, 100, 500, 1000), rc::gen::inRange(1, 2000));
    // The Chips page's own chips, from the smallest chip on.
    if (*rc::gen::arbitrary<bool>()) {
        for (int c : {1, 2, 5, 10, 20, 25, 50, 100, 250, 500, 1000, 5000, 25000})
            if (c > in.smallest_chip && *rc::gen::arbitrary<bool>())
                in.chips << c;
        in.chips.prepend(in.smallest_chip);
    }
    in.wanted_minutes = *rc::gen::inRange(60, 601);
    in.level_minutes = *rc::gen::inRange(10, 31);
    in.growing = *rc::gen::arbitrary<bool>();
    in.break_every = *rc::gen::inRange(0, 7);
    in.antes = *rc::gen::arbitrary<bool>();
    in.ante_kind = *rc::gen::element(Ante_Kind::Big_Blind, Ante_Kind::Per_Player);
    const Planned_Structure p = Plan_Structure(in);
    RC_ASSERT(Broken_Promise(in, p) == std::string());
    // The usual chips: five, from the smallest, each a whole number of the one before.
    const QVector<int> usual = Usual_Chips(in.smallest_chip);
    RC_ASSERT(usual.size() == 5 && usual.front() == in.smallest_chip);
    for (int i = 1; i < usual.size(); ++i)
        RC_ASSERT(usual[i] >= 2 * usual[i - 1] && usual[i] % usual[i - 1] == 0);
}

TEST(Structure_Planner, ImpossibleWishesAreWarnedAbout)
{
    Planner_Input in;
    in.players = 30;
    in.starting_stack = 100000;
    in.smallest_chip = 25;
    in.wanted_minutes = 60;   // far too short for this many chips
    in.level_minutes = 30;
    in.break_every = 0;
    const Planned_Structure p = Plan_Structure(in);
    ASSERT_FALSE(p.warnings.isEmpty());
    EXPECT_TRUE(p.warnings.join(QLatin1Char(' ')).contains(QStringLiteral("past the wanted length")))
        << p.warnings.join(QLatin1Char(' ')).toStdString();
    EXPECT_GT(p.end.minutes, 60 * 1.15);
    // Nonsense input still gives twenty levels.
    Planner_Input odd;
    odd.players = -3;
    odd.starting_stack = 0;
    odd.smallest_chip = 0;
    odd.chips = {0, -5};
    EXPECT_EQ(Plan_Structure(odd).levels.size(), Level_Count);
}

} // namespace
