#include "model/Structure.h"

#include "model/Tourney.h"
#include "platform/Profile.h"

#include <algorithm>
#include <string>

static_assert(Structure_Levels == Level_Count, "one structure entry per blind level");

namespace {

const char* const Section = "Structure";
const char* const Ante_Type_Key = "Ante Type";

std::string Key(const char* name, int level) { return std::string(name) + std::to_string(level); }

} // namespace

bool CStructure::Empty() const
{
    if (Ante_Type != Ante_Kind::Big_Blind)
        return false;
    return std::all_of(std::begin(Levels), std::end(Levels), [](const Level_Extra& e) { return e == Level_Extra(); });
}

int CStructure::Level_Minutes(int level, int tourney_minutes) const
{
    if (level < 0 || level >= Structure_Levels || Levels[level].Minutes <= 0)
        return tourney_minutes;
    return Levels[level].Minutes;
}

bool CStructure::Break_After(int level) const
{
    return level >= 0 && level + 1 < Structure_Levels && Levels[level].Break_Minutes > 0;
}

int32_t CStructure::Ante(int level) const
{
    return level >= 0 && level < Structure_Levels ? Levels[level].Ante : 0;
}

Clock_Position CStructure::Next(Clock_Position p) const
{
    if (p.on_break)
        return {p.level + 1, false};
    if (Break_After(p.level))
        return {p.level, true};
    return {std::min(p.level + 1, Structure_Levels - 1), false};
}

Clock_Position CStructure::Previous(Clock_Position p) const
{
    if (p.on_break)
        return {p.level, false};
    if (p.level == 0)
        return p;
    if (Break_After(p.level - 1))
        return {p.level - 1, true};
    return {p.level - 1, false};
}

int CStructure::Minutes_Of(Clock_Position p, int tourney_minutes) const
{
    if (p.on_break && Break_After(p.level))
        return Levels[p.level].Break_Minutes;
    return Level_Minutes(p.level, tourney_minutes);
}

std::optional<Ante_Kind> Read_Ante_Kind(const QString& text)
{
    // "Per Player", "per player", "PerPlayer", " Big  Blind " all read.
    QString squeezed;
    for (QChar c : text)
        if (!c.isSpace())
            squeezed += c.toLower();
    if (squeezed.isEmpty() || squeezed == QLatin1String("bigblind") || squeezed == QLatin1String("bb"))
        return Ante_Kind::Big_Blind;
    if (squeezed == QLatin1String("perplayer"))
        return Ante_Kind::Per_Player;
    return std::nullopt;
}

QString CStructure::Read(const Profile& ini)
{
    const QString kind = ini.Read_String(Section, Ante_Type_Key, QString());
    const std::optional<Ante_Kind> read = Read_Ante_Kind(kind);
    Ante_Type = read.value_or(Ante_Kind::Big_Blind);
    const QString problem = read ? QString()
                                 : QStringLiteral("The kind of ante \"%1\" in the tournament file is not known "
                                                  "(\"Big Blind\" or \"Per Player\"): the big blind pays the ante.")
                                       .arg(kind);
    for (int k = 0; k < Structure_Levels; ++k) {
        Level_Extra& e = Levels[k];
        e.Ante = std::max(0, ini.Read_Int(Section, Key("Ante", k).c_str(), 0));
        const int minutes = ini.Read_Int(Section, Key("Minutes", k).c_str(), 0);
        e.Minutes = minutes <= 0 ? 0 : std::min(minutes, Max_Level_Minutes);
        // No level follows the last one, so no break does either.
        const int pause = k + 1 < Structure_Levels ? ini.Read_Int(Section, Key("Break", k).c_str(), 0) : 0;
        e.Break_Minutes = std::clamp(pause, 0, Max_Break_Minutes);
        e.Break_Note = e.Break_Minutes > 0 ? ini.Read_String(Section, Key("Break Note", k).c_str(), QString()) : QString();
    }
    return problem;
}

void CStructure::Write(Profile& ini) const
{
    const bool empty = Empty();
    if (empty)
        ini.Delete_Key(Section, Ante_Type_Key);
    else
        ini.Write_String(Section, Ante_Type_Key, Ante_Kind_Text(Ante_Type));
    auto put = [&ini](const std::string& key, int value) {
        if (value != 0)
            ini.Write_Int(Section, key.c_str(), value);
        else
            ini.Delete_Key(Section, key.c_str());
    };
    for (int k = 0; k < Structure_Levels; ++k) {
        const Level_Extra& e = Levels[k];
        put(Key("Ante", k), e.Ante);
        put(Key("Minutes", k), e.Minutes);
        const int pause = Break_After(k) ? e.Break_Minutes : 0;
        put(Key("Break", k), pause);
        const std::string note = Key("Break Note", k);
        if (pause > 0 && !e.Break_Note.isEmpty())
            ini.Write_String(Section, note.c_str(), e.Break_Note);
        else
            ini.Delete_Key(Section, note.c_str());
    }
}

QString Ante_Caption(Ante_Kind kind, int32_t ante)
{
    if (ante == 0)
        return QString();
    return (kind == Ante_Kind::Big_Blind ? QStringLiteral("BB ante %1") : QStringLiteral("ante %1")).arg(ante);
}

QString Ante_Kind_Text(Ante_Kind kind)
{
    return kind == Ante_Kind::Per_Player ? QStringLiteral("Per Player") : QStringLiteral("Big Blind");
}
