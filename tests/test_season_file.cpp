// The season file as text: every tournament name comes back as it was, and a
// value outside what a season takes is counted in range and named.
#include "model/Season.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

// Whatever a tournament is named, the season file gives the name back.
RC_GTEST_PROP(Season_File, EveryTournamentNameComesBack, ())
{
    const auto chars = rc::gen::element<char16_t>(u'a', u'Z', u' ', u'"', u'\\', u'\n', u'\r', u'\t', u'=', u';',
                                                  u'[', u'#', 0x01, 0x7f, u'\u00e9', u'\u20ac', u'x');
    Season s;
    s.name = QStringLiteral("Any");
    const int count = *rc::gen::inRange(1, 5);
    for (int i = 0; i < count; ++i) {
        const auto text = *rc::gen::nonEmpty(rc::gen::container<std::u16string>(chars));
        s.tourneys << Season_Tourney{QString::fromStdU16String(text), QDate(2026, 3, 1 + i)};
    }
    const QByteArray file = Season_File_Text(s);
    RC_ASSERT(Parse_Season(file, "Any.season") == s);
}

// A value outside what a season takes is taken into range and named.
TEST(Season_File, ValuesOutsideTheRangesAreNamed)
{
    const QByteArray base = "[Season]\nName=A\n[Points]\nFormula=Table\nPlaces=1\nPlace 1=25\nTaking Part=0\n"
                            "Per Bounty=-3\n[Tournaments]\nCount=0\n";
    const Season s = Parse_Season(QByteArray(base).replace("Place 1=25", "Place 1=99999999999999999999999"), "A.season");
    EXPECT_EQ(s.rule.table, QVector<int>{Max_Rule_Points});
    EXPECT_EQ(s.rule.per_bounty, 0);
    EXPECT_EQ(s.range_notes,
              (QStringList{"\"Place 1\" of [Points] is 99999999999999999999999: counted as 1000000 (the season takes 0 "
                           "to 1000000)",
                           "\"Per Bounty\" of [Points] is -3: counted as 0 (the season takes 0 to 1000000)"}));
}
