#include "model/Season.h"

#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

const char* const Season_Section = "Season";
const char* const Points_Section = "Points";
const char* const Tourneys_Section = "Tournaments";
constexpr int Max_Name_Length = 60;

struct Formula_Name {
    Points_Formula formula;
    const char* text;
};
const Formula_Name Formula_Names[] = {
    {Points_Formula::Table, "Table"},
    {Points_Formula::Field_Minus_Place, "Field minus place"},
    {Points_Formula::Field_Root, "Field root"},
};

QString Formula_Text(Points_Formula f)
{
    for (const Formula_Name& n : Formula_Names)
        if (n.formula == f)
            return QString::fromLatin1(n.text);
    return QString();
}

// The sections of an INI text: section -> key -> value. Keys and sections
// are compared as written.
using Ini = QHash<QString, QHash<QString, QString>>;

[[noreturn]] void Damaged(const QString& file_name, const QString& why)
{
    throw Velmora_Error(QStringLiteral("The season file %1 cannot be read: %2.").arg(file_name, why));
}

Ini Parse_Ini(const QByteArray& text, const QString& file_name)
{
    Ini ini;
    QString section;
    int line_number = 0;
    for (const QString& raw : Split_Lines(text)) {
        ++line_number;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            ini[section];
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || section.isEmpty())
            Damaged(file_name, QStringLiteral("line %1 is neither a section nor a key").arg(line_number));
        ini[section][line.left(eq).trimmed()] = line.mid(eq + 1).trimmed();
    }
    return ini;
}

// A name as a line of the file holds it: as it is when the line gives it
// back unchanged, otherwise in quotes with backslash escapes.
bool Needs_Quotes(const QString& name)
{
    if (name.isEmpty())
        return false;
    if (name != name.trimmed() || name.startsWith(QLatin1Char('"')))
        return true;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate())
            return true;
    return false;
}

QString Escaped_Name(const QString& name)
{
    if (!Needs_Quotes(name))
        return name;
    QString out = QStringLiteral("\"");
    for (const QChar c : name) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate())
                out += QStringLiteral("\\x%1;").arg(c.unicode(), 0, 16);
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString Unescaped_Name(const QString& text)
{
    if (text.size() < 2 || !text.startsWith(QLatin1Char('"')) || !text.endsWith(QLatin1Char('"')))
        return text;
    QString out;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 2 >= text.size()) {
            out += text[i];
            continue;
        }
        const QChar e = text[++i];
        if (e == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (e == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (e == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (e == QLatin1Char('x')) {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i + 1);
            bool ok = false;
            const uint code = end > 0 ? text.mid(i + 1, end - i - 1).toUInt(&ok, 16) : 0;
            if (ok && code <= 0xffff) {
                out += QChar(static_cast<char16_t>(code));
                i = end;
            } else {
                out += e;
            }
        } else
            out += e;
    }
    return out;
}

class Season_Reader {
public:
    Season_Reader(const Ini& ini, const QString& file_name) : ini_(ini), file_(file_name) {}

    const QHash<QString, QString>& Section(const char* name) const
    {
        auto it = ini_.find(QString::fromLatin1(name));
        if (it == ini_.end())
            Damaged(file_, QStringLiteral("the section [%1] is missing").arg(QLatin1String(name)));
        return *it;
    }
    QString Text(const char* section, const QString& key) const
    {
        const auto& s = Section(section);
        auto it = s.find(key);
        if (it == s.end())
            Damaged(file_, QStringLiteral("the key \"%1\" of [%2] is missing").arg(key, QLatin1String(section)));
        return *it;
    }
    int Number(const char* section, const QString& key, int low, int high) const
    {
        const auto value = Whole_Number(Text(section, key));
        if (!value || *value < low || *value > high)
            Damaged(file_, QStringLiteral("\"%1\" of [%2] is not a whole number from %3 to %4")
                               .arg(key, QLatin1String(section))
                               .arg(low)
                               .arg(high));
        return *value;
    }
    // A whole number that may lie outside the range the season takes: it is
    // taken into the range and named in the notes. Text that is no number
    // at all is damage.
    int Bounded(const char* section, const QString& key, int low, int high, QStringList& notes) const
    {
        const QString text = Text(section, key);
        const qsizetype digits_from = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
        bool digits = text.size() > digits_from;
        for (qsizetype i = digits_from; i < text.size(); ++i)
            digits = digits && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9');
        if (!digits)
            Number(section, key, low, high); // raises: not a whole number
        bool ok = false;
        qlonglong value = text.toLongLong(&ok);
        if (!ok) // more digits than 64 bits hold
            value = text.startsWith(QLatin1Char('-')) ? std::numeric_limits<qlonglong>::min()
                                                      : std::numeric_limits<qlonglong>::max();
        const int taken = static_cast<int>(std::clamp<qlonglong>(value, low, high));
        if (taken != value)
            notes << QStringLiteral("\"%1\" of [%2] is %3: counted as %4 (the season takes %5 to %6)")
                         .arg(key, QLatin1String(section), text)
                         .arg(taken)
                         .arg(low)
                         .arg(high);
        return taken;
    }
    QString File() const { return file_; }

private:
    const Ini& ini_;
    QString file_;
};

Points_Rule Read_Rule(const Season_Reader& r, QStringList& notes)
{
    Points_Rule rule;
    const QString formula = r.Text(Points_Section, QStringLiteral("Formula"));
    bool known = false;
    for (const Formula_Name& n : Formula_Names)
        if (formula == QLatin1String(n.text)) {
            rule.formula = n.formula;
            known = true;
        }
    if (!known)
        Damaged(r.File(), QStringLiteral("the formula \"%1\" is unknown").arg(formula));
    const int places = r.Bounded(Points_Section, QStringLiteral("Places"), 0, Max_Table_Places, notes);
    rule.table.clear();
    for (int i = 1; i <= places; ++i)
        rule.table << r.Bounded(Points_Section, QStringLiteral("Place %1").arg(i), 0, Max_Rule_Points, notes);
    rule.taking_part = r.Bounded(Points_Section, QStringLiteral("Taking Part"), 0, Max_Rule_Points, notes);
    rule.per_bounty = r.Bounded(Points_Section, QStringLiteral("Per Bounty"), 0, Max_Rule_Points, notes);
    return rule;
}

QVector<Season_Tourney> Read_Tourneys(const Season_Reader& r)
{
    QVector<Season_Tourney> tourneys;
    const int count = r.Number(Tourneys_Section, QStringLiteral("Count"), 0, 100000);
    for (int i = 1; i <= count; ++i) {
        Season_Tourney t;
        t.name = Unescaped_Name(r.Text(Tourneys_Section, QStringLiteral("Tournament %1").arg(i)));
        const QString date = r.Text(Tourneys_Section, QStringLiteral("Date %1").arg(i));
        t.date = QDate::fromString(date, Qt::ISODate);
        if (t.name.isEmpty())
            Damaged(r.File(), QStringLiteral("tournament %1 has no name").arg(i));
        if (!t.date.isValid())
            Damaged(r.File(), QStringLiteral("the date \"%1\" of tournament %2 is not a date").arg(date).arg(i));
        tourneys << t;
    }
    return tourneys;
}

} // namespace

QVector<int> Default_Points_Table()
{
    static const int points[Default_Table_Places] = {25, 18, 15, 12, 10, 8, 6, 4, 2, 1};
    return QVector<int>(std::begin(points), std::end(points));
}

qint64 Points_Rule::Points(int place, int field, int bounties) const
{
    qint64 points = 0;
    if (place >= 1) {
        switch (formula) {
        case Points_Formula::Table:
            points = place <= table.size() ? table[place - 1] : 0;
            break;
        case Points_Formula::Field_Minus_Place:
            points = std::max(0, field - place + 1);
            break;
        case Points_Formula::Field_Root:
            points = static_cast<int>(std::lround(10.0 * std::sqrt(double(std::max(field, place))) / std::sqrt(double(place))));
            break;
        }
    }
    return points + taking_part + qint64(per_bounty) * std::max(0, bounties);
}

QString Seasons_Folder() { return User_Folder() + QStringLiteral("Seasons/"); }

QString Season_Path(const QString& name) { return Seasons_Folder() + name + QStringLiteral(".season"); }

QStringList Season_Names()
{
    QStringList names;
    const QDir dir(Seasons_Folder());
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.season")}, QDir::Files))
        names << f.completeBaseName();
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString Season_Name_Problem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A season needs a name.");
    if (name != name.trimmed())
        return QStringLiteral("A season's name cannot start or end with a blank.");
    if (name.size() > Max_Name_Length)
        return QStringLiteral("A season's name holds at most %1 characters.").arg(Max_Name_Length);
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("A season's name cannot start with a dot.");
    for (const QChar c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            return QStringLiteral("A season's name cannot hold the character \"%1\".").arg(c.unicode() < 0x20 ? QStringLiteral(" ") : QString(c));
    return QString();
}

QByteArray Season_File_Text(const Season& season)
{
    QStringList lines;
    lines << QStringLiteral("[%1]").arg(QLatin1String(Season_Section)) << QStringLiteral("Name=") + season.name
          << QString() << QStringLiteral("[%1]").arg(QLatin1String(Points_Section))
          << QStringLiteral("Formula=") + Formula_Text(season.rule.formula)
          << QStringLiteral("Places=%1").arg(season.rule.table.size());
    for (int i = 0; i < season.rule.table.size(); ++i)
        lines << QStringLiteral("Place %1=%2").arg(i + 1).arg(season.rule.table[i]);
    lines << QStringLiteral("Taking Part=%1").arg(season.rule.taking_part)
          << QStringLiteral("Per Bounty=%1").arg(season.rule.per_bounty) << QString()
          << QStringLiteral("[%1]").arg(QLatin1String(Tourneys_Section))
          << QStringLiteral("Count=%1").arg(season.tourneys.size());
    for (int i = 0; i < season.tourneys.size(); ++i) {
        lines << QStringLiteral("Tournament %1=%2").arg(i + 1).arg(Escaped_Name(season.tourneys[i].name))
              << QStringLiteral("Date %1=%2").arg(i + 1).arg(season.tourneys[i].date.toString(Qt::ISODate));
    }
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

Season Parse_Season(const QByteArray& text, const QString& file_name)
{
    const Ini ini = Parse_Ini(text, file_name);
    const Season_Reader r(ini, file_name);
    Season season;
    season.name = r.Text(Season_Section, QStringLiteral("Name"));
    season.rule = Read_Rule(r, season.range_notes);
    season.tourneys = Read_Tourneys(r);
    return season;
}

Season Load_Season(const QString& name)
{
    const QString path = Season_Path(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Raise_Read_Error(path);
    Season season = Parse_Season(file.readAll(), QFileInfo(path).fileName());
    season.name = name; // the file's name is the season's
    return season;
}

void Save_Season(const Season& season)
{
    const QString problem = Season_Name_Problem(season.name);
    if (!problem.isEmpty())
        throw Velmora_Error(problem);
    const QString path = Season_Path(season.name);
    if (QFileInfo::exists(path))
        Load_Season(season.name); // a file that does not read is left alone (this raises)
    QDir().mkpath(Seasons_Folder());
    Write_File_Atomic(path, Season_File_Text(season));
}

void Remove_Season(const QString& name)
{
    const QString path = Season_Path(name);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw Velmora_Error(QStringLiteral("Unable to remove %1").arg(path));
}

QStringList Data_Tourneys()
{
    QStringList names;
    const QDir dir(Data_Folder());
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.trn")}, QDir::Files))
        names << f.fileName();
    names.sort(Qt::CaseInsensitive);
    return names;
}

QDate Tourney_File_Date(const QString& name)
{
    for (const char* ext : {".plr", ".trn"}) {
        const QFileInfo info(Tourney_File_Path(name, QString::fromLatin1(ext)));
        if (info.exists())
            return info.lastModified().date();
    }
    return QDate::currentDate();
}
