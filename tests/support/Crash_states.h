#pragma once
// The states the crash test's writer saves, one per number: the tournament
// and entry files and the player database all differ from one state to the
// next (in length too), and each names its number so a checker can tell which
// state a file holds.
#include "model/Player.h"
#include "model/Tourney.h"

#include <cstdio>
#include <cstring>

inline const QString Crash_Tourney_Name = QStringLiteral("Crash.trn");

inline void Fill_Crash_Tourney(int state, CTourney& t)
{
    t.Time = state % 59 + 1;
    t.Prize_Total = static_cast<float>(state);
    for (int i = 0; i < Prize_Count; ++i)
        t.Prize[i] = static_cast<float>(state % (i + 2)) * 0.5f;
    t.Sound = QStringLiteral("/music/level-%1.m3u").arg(QString(state % 7 + 1, QLatin1Char('x')));
    t.Warning = QStringLiteral("/sounds/warning-%1.wav").arg(state);
    for (int k = 0; k < Chip_Count; ++k)
        t.Chips[k].Path = QStringLiteral("/pictures/chip%1.jpg").arg(k);
    const int entries = state % 40 + 1;
    for (int i = 0; i < Max_Entries; ++i)
        std::memset(&t.Players[i], 0, sizeof t.Players[i]);
    for (int i = 0; i < entries; ++i) {
        std::snprintf(t.Players[i].Name, Entry_Name_Size, "P%d,%d", state, i);
        t.Players[i].Table = i % 10;
        t.Players[i].Seat = i / 10;
    }
    t.Total = entries;
    t.Out = entries;
}

inline void Fill_Crash_Database(int state, CPlayerDB& db)
{
    const int players = state % 50 + 1;
    for (int i = 0; i < Max_Players; ++i)
        db.Player[i] = CPlayer();
    for (int i = 0; i < players; ++i) {
        CPlayer& p = db.Player[i];
        std::snprintf(p.First, Player_Text_Size, "F%d", state);
        std::snprintf(p.Last, Player_Text_Size, "L%d", i);
        std::snprintf(p.Phone, Player_Text_Size, "555-%04d", (state + i) % 10000);
        p.Number = static_cast<uint32_t>(i);
        p.Empty = 0;
    }
    db.Count = players;
}
