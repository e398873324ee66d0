#include "model/Player_csv.h"

#include "model/Player.h"
#include "model/Player_names.h"
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

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

bool Has_Line_Break(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// The characters 0x80 to 0x9F of Windows-1252 (the five it leaves out keep
// their Latin-1 codes).
const char16_t Cp1252_High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString From_Cp1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(b >= 0x80 && b < 0xa0 ? Cp1252_High[b - 0x80] : char16_t(b));
    }
    return out;
}

bool Formula_Start(QChar c)
{
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@') ||
           c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

// Why a row's texts cannot be stored, or "". Every character the player file
// holds is taken (a database exported with tabs in its texts comes back);
// only a name on two lines is refused, as no list could show it.
QString Field_Problem(const Import_Row& row)
{
    const QString outside = Characters_Outside_Latin1(QStringList(std::begin(row.fields), std::end(row.fields)).join(QString()));
    if (!outside.isEmpty())
        return QStringLiteral("it holds characters the player file cannot store: %1").arg(outside);
    for (int c = 0; c < Csv_Columns; ++c) {
        const QString& f = row.fields[c];
        const QLatin1String caption(Column_Caption[c]);
        if (f.contains(QChar(0)))
            return QStringLiteral("%1 holds a NUL character").arg(caption);
        if (c < 2 && Has_Line_Break(f))
            return QStringLiteral("%1 holds a line break").arg(caption);
        if (f.size() > Player_Text_Size - 1)
            return QStringLiteral("%1 is longer than %2 characters").arg(caption).arg(Player_Text_Size - 1);
    }
    if (row.fields[0].isEmpty())
        return QStringLiteral("the first name is empty");
    return QString();
}

// What to know of a row that can be stored, or "".
QString Field_Note(const Import_Row& row)
{
    if (row.Key().size() > Player_Text_Size - 1)
        return QStringLiteral("%1 is longer than %2 characters (first name, comma and last name): it cannot be "
                              "entered in a tournament")
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
    bool more = r.fields_left_out;
    for (qsizetype i = columns; i < r.fields.size(); ++i)
        more = more || !r.fields[i].isEmpty();
    if (more)
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
            // The run up to the next quote or line break is taken whole.
            qsizetype end = at;
            while (end < text.size() && text[end] != QLatin1Char('"') && text[end] != QLatin1Char('\r') &&
                   text[end] != QLatin1Char('\n'))
                ++end;
            field += QStringView(text).sliced(at, end - at);
            at = end;
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
            const qsizetype from = at;
            Take_Break();
            field += QStringView(text).sliced(from, at - from);
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
            QString field = Peek() == QLatin1Char('"') ? Quoted(r) : Plain();
            // Fields past the most a row can use are not kept (a line of
            // commas would otherwise take memory by the field).
            if (r.fields.size() < Max_Csv_Fields)
                r.fields << std::move(field);
            else if (!field.isEmpty())
                r.fields_left_out = true;
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

QVector<Csv_Record> Parse_Csv(const QString& text, int most_records)
{
    QVector<Csv_Record> records;
    Parser p{text};
    while (!p.At_End() && (most_records < 0 || records.size() < most_records))
        records << p.Record();
    return records;
}

Csv_Text Decode_Csv_Text(const QByteArray& bytes)
{
    Csv_Text out;
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF")) {
        body = body.sliced(3);
        out.utf8 = true;
    }
    out.text.reserve(body.size());
    // Runs of ASCII are taken whole; a line with other bytes is decoded on
    // its own, as UTF-8 when it is, else as Windows-1252.
    int line = 1;
    qsizetype line_start = 0, taken = 0, i = 0;
    while (i < body.size()) {
        const auto c = static_cast<unsigned char>(body[i]);
        if (c == '\r' || c == '\n') {
            i += (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ? 2 : 1;
            ++line;
            line_start = i;
            continue;
        }
        if (c < 0x80) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < body.size() && body[end] != '\n' && body[end] != '\r')
            ++end;
        out.text += QLatin1StringView(body.data() + taken, line_start - taken);
        const QByteArrayView part = body.sliced(line_start, end - line_start);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(part);
        if (utf8.hasError()) {
            out.text += From_Cp1252(part);
            out.legacy_lines << line;
        } else {
            out.text += text;
            out.utf8 = true;
        }
        taken = i = end;
    }
    out.text += QLatin1StringView(body.data() + taken, body.size() - taken);
    return out;
}

QString Decode_Csv(const QByteArray& bytes) { return Decode_Csv_Text(bytes).text; }

QString Csv_Field(const QString& field)
{
    QString out = field;
    if (!out.isEmpty() && (Formula_Start(out[0]) || out[0] == QLatin1Char('\'')))
        out.prepend(QLatin1Char('\''));
    const bool quote = out.contains(QLatin1Char(',')) || out.contains(QLatin1Char('"')) ||
                       out.contains(QLatin1Char('\n')) || out.contains(QLatin1Char('\r')) || out != out.trimmed();
    if (!quote)
        return out;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString Csv_Unprotected(const QString& field)
{
    if (field.size() >= 2 && field[0] == QLatin1Char('\'') && (Formula_Start(field[1]) || field[1] == QLatin1Char('\'')))
        return field.mid(1);
    return field;
}

QByteArray Read_Csv_File(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Velmora_Error(QStringLiteral("Unable to read %1: %2").arg(path, file.errorString()));
    // A device without a size (a pipe) is read up to the bound and no further.
    const QByteArray bytes = file.read(Max_Csv_Bytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw Velmora_Error(QStringLiteral("Unable to read %1: %2").arg(path, file.errorString()));
    if (bytes.size() > Max_Csv_Bytes)
        throw Velmora_Error(QStringLiteral("%1 is %2 MB: a list of players takes a few kB, and files over %3 MB "
                                           "are not read.")
                                .arg(File_Name_Part(path))
                                .arg(std::max(file.size(), qint64(bytes.size())) / double(1024 * 1024), 0, 'f', 1)
                                .arg(Max_Csv_Bytes / (1024 * 1024)));
    return bytes;
}

QString Characters_Outside_Latin1(const QString& text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() <= 0xff)
            continue; // Latin-1: the common case, looked at without a copy
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

namespace {

QString Encoding_Warning(const Csv_Text& decoded)
{
    if (decoded.legacy_lines.isEmpty() || !decoded.utf8)
        return QString();
    QStringList lines;
    for (int i = 0; i < decoded.legacy_lines.size() && i < 10; ++i)
        lines << QString::number(decoded.legacy_lines[i]);
    if (decoded.legacy_lines.size() > 10)
        lines << QStringLiteral("...");
    return QStringLiteral("The file mixes encodings: line %1 is not UTF-8 and was read as Windows-1252. Check the "
                          "accented letters of those rows.")
        .arg(lines.join(QStringLiteral(", ")));
}

// The verdict on a row that can be stored, against the database and the
// rows of the file added before it.
struct Seen {
    QSet<QString> stored;                          // keys of the database
    QHash<QString, QString> stored_person;         // person -> a stored key
    QHash<QString, int> in_file;                   // key -> line
    QHash<QString, QPair<int, QString>> person_in_file; // person -> line, key
};

void Judge(Import_Row& row, Seen& seen, int& room)
{
    const QString key = row.Key();
    const QString person = Person_Of(key);
    const QString near = seen.stored_person.value(person);
    const QSet<QString>& stored = seen.stored;
    QHash<QString, int>& in_file = seen.in_file;
    if (stored.contains(key)) {
        row.status = Import_Status::Duplicate;
        row.reason = QStringLiteral("%1 is already in the database").arg(key);
    } else if (in_file.contains(key)) {
        row.status = Import_Status::Duplicate;
        row.reason = QStringLiteral("%1 is already on line %2").arg(key).arg(in_file.value(key));
    } else if (!near.isEmpty() || seen.person_in_file.contains(person)) {
        row.status = Import_Status::Duplicate;
        row.near_duplicate = true;
        row.reason = !near.isEmpty()
                         ? QStringLiteral("%1 is already in the database as %2 (the names differ only in case or blanks)")
                               .arg(key, near)
                         : QStringLiteral("%1 is already on line %2 as %3 (the names differ only in case or blanks)")
                               .arg(key)
                               .arg(seen.person_in_file.value(person).first)
                               .arg(seen.person_in_file.value(person).second);
    } else if (room == 0) {
        row.reason = QStringLiteral("the database holds at most %1 players").arg(Max_Players);
    } else {
        row.status = Import_Status::Add;
        row.note = Field_Note(row);
        in_file.insert(key, row.line);
        seen.person_in_file.insert(person, {row.line, key});
        --room;
    }
}

} // namespace

Import_Preview Preview_Import(const QByteArray& bytes, const CPlayerDB& database)
{
    Import_Preview preview;
    const Csv_Text decoded = Decode_Csv_Text(bytes);
    const QVector<Csv_Record> records = Parse_Csv(decoded.text, Max_Csv_Rows + 1);
    if (records.size() > Max_Csv_Rows) {
        preview.error = QStringLiteral("The file has more than %1 rows, and the database holds at most %2 players: "
                                       "it is not read.")
                            .arg(Max_Csv_Rows)
                            .arg(Max_Players);
        return preview;
    }
    qsizetype first = 0;
    while (first < records.size() && Blank_Record(records[first]))
        ++first;
    int column_of_field[Max_Players] = {}; // header position -> column
    int field_of_column[Csv_Columns] = {-1, -1, -1, -1, -1};
    const int header_size = first < records.size() ? static_cast<int>(std::min<qsizetype>(records[first].fields.size(), Max_Players)) : 0;
    for (int i = 0; i < header_size; ++i) {
        int column = Column_Of(records[first].fields[i]);
        if (column >= 0 && field_of_column[column] >= 0) {
            preview.warnings << QStringLiteral("The column \"%1\" is named twice (columns %2 and %3): the first one "
                                               "is read.")
                                    .arg(QLatin1String(Column_Caption[column]).toString().toLower())
                                    .arg(field_of_column[column] + 1)
                                    .arg(i + 1);
            column = -1;
        } else if (column >= 0) {
            field_of_column[column] = i;
        } else if (!records[first].fields[i].trimmed().isEmpty()) {
            preview.left_out << records[first].fields[i].trimmed();
        }
        column_of_field[i] = column;
    }
    if (field_of_column[0] < 0) {
        preview.error = QStringLiteral("The first row must name the columns: first, last, aka, phone, cell "
                                       "(a \"first\" column at least).");
        return preview;
    }
    const QString mixed = Encoding_Warning(decoded);
    if (!mixed.isEmpty())
        preview.warnings << mixed;

    Seen seen;
    seen.stored = Keys_Of(database);
    for (const QString& key : seen.stored)
        seen.stored_person.insert(Person_Of(key), key);
    int room = Max_Players - std::clamp(database.Count, 0, Max_Players);
    preview.rows.reserve(records.size());
    for (qsizetype n = first + 1; n < records.size(); ++n) {
        const Csv_Record& rec = records[n];
        if (Blank_Record(rec))
            continue;
        Import_Row row;
        row.line = rec.line;
        for (int i = 0; i < header_size && i < rec.fields.size(); ++i)
            if (column_of_field[i] >= 0)
                row.fields[column_of_field[i]] = Csv_Unprotected(rec.fields[i]);
        row.reason = Record_Problem(rec, header_size);
        if (row.reason.isEmpty())
            row.reason = Field_Problem(row);
        if (row.reason.isEmpty())
            Judge(row, seen, room);
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

QVector<Export_Problem> Export_Problems(const CPlayerDB& database)
{
    QVector<Export_Problem> problems;
    QHash<QString, QString> person_of_key;
    QSet<QString> keys;
    for (int i = 0; i < database.Count && i < Max_Players; ++i) {
        const CPlayer& p = database.Player[i];
        if (p.Empty || p.First[0] == '\0')
            break;
        const QString key = p.Key();
        const QString person = Person_Of(key);
        if (Has_Line_Break(key))
            problems << Export_Problem{i, QStringLiteral("%1: the name holds a line break, which the import refuses").arg(key)};
        else if (keys.contains(key))
            problems << Export_Problem{i, QStringLiteral("%1: stored twice; the import keeps the first").arg(key)};
        else if (person_of_key.contains(person))
            problems << Export_Problem{i, QStringLiteral("%1: differs from %2 only in case or blanks; the import skips "
                                                         "it unless chosen")
                                              .arg(key, person_of_key.value(person))};
        keys.insert(key);
        person_of_key.insert(person, person_of_key.value(person, key));
    }
    return problems;
}
