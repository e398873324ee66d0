#include "model/Player_csv.h"

#include "model/Player.h"
#include "platform/Text_lines.h"

#include <QHash>
#include <QSet>

namespace {

const char* const Column_Caption[Csv_Columns] = {"First", "Last", "Aka", "Phone", "Cell"};

// The column a header cell names, or -1.
int Column_Of(const QString& header)
{
    QString name = header.trimmed().toLower();
    name.remove(QLatin1Char(' '));
    name.remove(QLatin1Char('_'));
    static const QHash<QString, int> names = {
        {QStringLiteral("first"), 0},      {QStringLiteral("firstname"), 0}, {QStringLiteral("last"), 1},
        {QStringLiteral("lastname"), 1},   {QStringLiteral("aka"), 2},       {QStringLiteral("alsoknownas"), 2},
        {QStringLiteral("phone"), 3},      {QStringLiteral("phonenumber"), 3}, {QStringLiteral("cell"), 4},
        {QStringLiteral("cellnumber"), 4},
    };
    return names.value(name, -1);
}

bool Blank_Record(const Csv_Record& r)
{
    for (const QString& f : r.fields)
        if (!f.isEmpty())
            return false;
    return !r.unclosed_quote;
}

bool Has_Control(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            return true;
    return false;
}

// Why a row's texts cannot be stored, or "".
QString Field_Problem(const Import_Row& row)
{
    const QString outside = Characters_Outside_Latin1(QStringList(std::begin(row.fields), std::end(row.fields)).join(QString()));
    if (!outside.isEmpty())
        return QStringLiteral("it holds characters the player file cannot store: %1").arg(outside);
    for (int c = 0; c < Csv_Columns; ++c) {
        const QString& f = row.fields[c];
        const QLatin1String caption(Column_Caption[c]);
        if (Has_Control(f))
            return QStringLiteral("%1 holds a line break or another control character").arg(caption);
        if (f.size() > Player_Text_Size - 1)
            return QStringLiteral("%1 is longer than %2 characters").arg(caption).arg(Player_Text_Size - 1);
    }
    if (row.fields[0].isEmpty())
        return QStringLiteral("the first name is empty");
    if (row.Key().size() > Player_Text_Size - 1)
        return QStringLiteral("%1 is longer than %2 characters (first name, comma and last name), too long to enter "
                              "in a tournament")
            .arg(row.Key())
            .arg(Player_Text_Size - 1);
    return QString();
}

// The record's problem as CSV, or "".
QString Record_Problem(const Csv_Record& r, int columns)
{
    if (r.unclosed_quote)
        return QStringLiteral("a quoted field is not closed (it runs to the end of the file)");
    if (r.stray_text)
        return QStringLiteral("there is text between a closing quote and the next comma");
    for (int i = columns; i < r.fields.size(); ++i)
        if (!r.fields[i].isEmpty())
            return QStringLiteral("the row has more fields than the header names");
    return QString();
}

QSet<QString> Keys_Of(const CPlayerDB& db)
{
    QSet<QString> keys;
    for (int i = 0; i < db.Count && i < Max_Players; ++i)
        keys.insert(db.Player[i].Key());
    return keys;
}

struct Parser {
    const QString& text;
    qsizetype at = 0;
    int line = 1;

    QChar Peek() const { return at < text.size() ? text[at] : QChar(); }
    bool At_End() const { return at >= text.size(); }

    // One line break (CR LF, LF or CR) at the current place, if any.
    bool Take_Break()
    {
        if (Peek() == QLatin1Char('\r')) {
            ++at;
            if (Peek() == QLatin1Char('\n'))
                ++at;
        } else if (Peek() == QLatin1Char('\n')) {
            ++at;
        } else {
            return false;
        }
        ++line;
        return true;
    }

    QString Quoted(Csv_Record& r)
    {
        QString field;
        ++at; // the opening quote
        for (;;) {
            if (At_End()) {
                r.unclosed_quote = true;
                return field;
            }
            const QChar c = text[at];
            if (c == QLatin1Char('"')) {
                if (at + 1 < text.size() && text[at + 1] == QLatin1Char('"')) {
                    field += c;
                    at += 2;
                    continue;
                }
                ++at;
                break;
            }
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                const qsizetype from = at;
                Take_Break();
                field += text.mid(from, at - from);
                continue;
            }
            field += c;
            ++at;
        }
        // After the closing quote: a comma, a line break or the end.
        while (!At_End() && Peek() != QLatin1Char(',') && Peek() != QLatin1Char('\r') && Peek() != QLatin1Char('\n')) {
            r.stray_text = true;
            field += text[at++];
        }
        return field;
    }

    QString Plain()
    {
        const qsizetype from = at;
        while (!At_End() && Peek() != QLatin1Char(',') && Peek() != QLatin1Char('\r') && Peek() != QLatin1Char('\n'))
            ++at;
        return text.mid(from, at - from);
    }

    Csv_Record Record()
    {
        Csv_Record r;
        r.line = line;
        for (;;) {
            r.fields << (Peek() == QLatin1Char('"') ? Quoted(r) : Plain());
            if (Peek() == QLatin1Char(',')) {
                ++at;
                continue;
            }
            Take_Break();
            return r;
        }
    }
};

} // namespace

QVector<Csv_Record> Parse_Csv(const QString& text)
{
    QVector<Csv_Record> records;
    Parser p{text};
    while (!p.At_End())
        records << p.Record();
    return records;
}

QString Decode_Csv(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    return Decode_8Bit(body.constData(), body.size());
}

QString Csv_Field(const QString& field)
{
    const bool quote = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                       field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) ||
                       field != field.trimmed();
    if (!quote)
        return field;
    QString out = field;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString Characters_Outside_Latin1(const QString& text)
{
    QStringList found;
    for (int i = 0; i < text.size(); ++i) {
        QString c = text.mid(i, 1);
        if (text[i].isHighSurrogate() && i + 1 < text.size())
            c = text.mid(i++, 2);
        if (c.size() > 1 || c[0].unicode() > 0xff)
            if (!found.contains(c))
                found << c;
    }
    return found.join(QStringLiteral(", "));
}

int Import_Preview::Count(Import_Status status) const
{
    int n = 0;
    for (const Import_Row& r : rows)
        n += r.status == status ? 1 : 0;
    return n;
}

Import_Preview Preview_Import(const QByteArray& bytes, const CPlayerDB& database)
{
    Import_Preview preview;
    const QVector<Csv_Record> records = Parse_Csv(Decode_Csv(bytes));
    qsizetype first = 0;
    while (first < records.size() && Blank_Record(records[first]))
        ++first;
    int column_of_field[Max_Players] = {}; // header position -> column
    const int header_size = first < records.size() ? static_cast<int>(std::min<qsizetype>(records[first].fields.size(), Max_Players)) : 0;
    bool has_first = false;
    for (int i = 0; i < header_size; ++i) {
        column_of_field[i] = Column_Of(records[first].fields[i]);
        has_first = has_first || column_of_field[i] == 0;
        if (column_of_field[i] < 0 && !records[first].fields[i].trimmed().isEmpty())
            preview.left_out << records[first].fields[i].trimmed();
    }
    if (!has_first) {
        preview.error = QStringLiteral("The first row must name the columns: first, last, aka, phone, cell "
                                       "(a \"first\" column at least).");
        return preview;
    }

    QSet<QString> stored = Keys_Of(database);
    QHash<QString, int> in_file; // key -> line
    int room = Max_Players - std::clamp(database.Count, 0, Max_Players);
    for (qsizetype n = first + 1; n < records.size(); ++n) {
        const Csv_Record& rec = records[n];
        if (Blank_Record(rec))
            continue;
        Import_Row row;
        row.line = rec.line;
        for (int i = 0; i < header_size && i < rec.fields.size(); ++i)
            if (column_of_field[i] >= 0)
                row.fields[column_of_field[i]] = rec.fields[i];
        row.reason = Record_Problem(rec, header_size);
        if (row.reason.isEmpty())
            row.reason = Field_Problem(row);
        if (row.reason.isEmpty()) {
            const QString key = row.Key();
            if (stored.contains(key)) {
                row.status = Import_Status::Duplicate;
                row.reason = QStringLiteral("%1 is already in the database").arg(key);
            } else if (in_file.contains(key)) {
                row.status = Import_Status::Duplicate;
                row.reason = QStringLiteral("%1 is already on line %2").arg(key).arg(in_file.value(key));
            } else if (room == 0) {
                row.reason = QStringLiteral("the database holds at most %1 players").arg(Max_Players);
            } else {
                row.status = Import_Status::Add;
                in_file.insert(key, row.line);
                --room;
            }
        }
        preview.rows << row;
    }
    return preview;
}

int Import_Players(CPlayerDB& database, const Import_Preview& preview)
{
    database.Load();
    QSet<QString> stored = Keys_Of(database);
    const int before = database.Count;
    for (const Import_Row& row : preview.rows) {
        if (row.status != Import_Status::Add || database.Count >= Max_Players || stored.contains(row.Key()) ||
            !Field_Problem(row).isEmpty())
            continue;
        CPlayer p;
        char* const fields[Csv_Columns] = {p.First, p.Last, p.Aka, p.Phone, p.Cell};
        for (int c = 0; c < Csv_Columns; ++c)
            Set_Field(fields[c], Player_Text_Size, row.fields[c]);
        p.Number = static_cast<uint32_t>(database.Count);
        p.Empty = 0;
        database.Player[database.Count++] = p;
        stored.insert(row.Key());
    }
    if (database.Count == before)
        return 0;
    try {
        database.Save();
    } catch (...) {
        for (int i = before; i < database.Count; ++i)
            database.Player[i] = CPlayer();
        database.Count = before;
        throw;
    }
    database.Load();
    return database.Count - before;
}

QByteArray Export_Players(const CPlayerDB& database)
{
    QString text = QStringLiteral("first,last,aka,phone,cell\r\n");
    for (int i = 0; i < database.Count && i < Max_Players; ++i) {
        const CPlayer& p = database.Player[i];
        if (p.Empty || p.First[0] == '\0')
            break;
        const char* const fields[Csv_Columns] = {p.First, p.Last, p.Aka, p.Phone, p.Cell};
        QStringList line;
        for (const char* f : fields)
            line << Csv_Field(Field_Text(f, Player_Text_Size));
        text += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
