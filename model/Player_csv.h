#pragma once
// Players in and out of the database as CSV (RFC 4180): quoted fields, commas,
// quotes and line breaks inside quotes, CR LF or LF line ends, UTF-8 (with or
// without a byte-order mark) or Windows-1252, line by line. The first row names the columns
// (first, last, aka, phone, cell, in any order and any case); other columns
// are left out. An import is previewed first: what will be added, what is
// already there (skipped) and what cannot be stored, with the reason; only
// the confirmed preview is written, in one write of the database.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class CPlayerDB;

constexpr int Csv_Columns = 5; // first, last, aka, phone, cell
// A list of at most 150 players takes a few kB: larger files are refused
// before they are read, longer ones when the rows pass this count.
constexpr qint64 Max_Csv_Bytes = 4 * 1024 * 1024;
constexpr int Max_Csv_Rows = 5000;
// The fields of a row that are read; text in a field past them makes the
// row unreadable.
constexpr int Max_Csv_Fields = 256;

// The records of a CSV text: fields per record and the line each starts on.
// An unclosed quote ends the text; its record is marked.
struct Csv_Record {
    QStringList fields;
    int line = 0;
    bool unclosed_quote = false; // a quoted field runs to the end of the text
    bool stray_text = false;     // text between a closing quote and the next comma
    bool fields_left_out = false; // text in a field past Max_Csv_Fields
};
// Stops after most_records records (all when negative).
QVector<Csv_Record> Parse_Csv(const QString& text, int most_records = -1);
// The text of the file's bytes: a UTF-8 byte-order mark is dropped; each
// line that is not valid UTF-8 is read as Windows-1252 (0x80 is the euro
// sign, 0x92 a right quote).
struct Csv_Text {
    QString text;
    QVector<int> legacy_lines; // lines read as Windows-1252
    bool utf8 = false;         // a byte-order mark or a line of UTF-8 beyond ASCII
};
Csv_Text Decode_Csv_Text(const QByteArray& bytes);
QString Decode_Csv(const QByteArray& bytes);
// One field as written: a field that a spreadsheet would run as a formula
// (it begins with =, +, -, @, a tab or a carriage return), or that begins
// with the quote mark this adds, gets a leading '; then it is quoted when it
// holds a comma, a quote, a line break or a blank at either end, quotes
// doubled. The import takes such a ' off again (Csv_Unprotected).
QString Csv_Field(const QString& field);
QString Csv_Unprotected(const QString& field);
// The bytes of a CSV file to import, refused with Velmora_Error naming the
// file and its size when it is larger than Max_Csv_Bytes.
QByteArray Read_Csv_File(const QString& path);

// The characters of a text that the files' character set (Latin-1) cannot
// hold, each once, in order: "€, ő". Empty when it can hold them all.
QString Characters_Outside_Latin1(const QString& text);

enum class Import_Status { Add, Duplicate, Refused };

struct Import_Row {
    int line = 0;
    QString fields[Csv_Columns]; // first, last, aka, phone, cell
    Import_Status status = Import_Status::Refused;
    QString reason;              // for duplicates and refusals
    QString note;                // what to know of a row that is added
    // A duplicate only by case or blanks (Person_Of): skipped unless the
    // operator chooses it (status Add then).
    bool near_duplicate = false;
    QString Key() const { return fields[0] + QLatin1Char(',') + fields[1]; }
};

struct Import_Preview {
    QString error;               // the file cannot be used at all (no header)
    QVector<Import_Row> rows;
    QStringList left_out;        // header cells that name no column we keep
    QStringList warnings;        // a column named twice, encodings mixed
    int Count(Import_Status status) const;
};

// What importing the file into the database would do. Nothing is written.
Import_Preview Preview_Import(const QByteArray& bytes, const CPlayerDB& database);
// Adds the preview's rows marked Add (the database is read again first and
// each row checked once more), writes the database once and reads it back.
// Returns how many players were added. "Unable to write to %s" leaves the
// file and the table as they were.
int Import_Players(CPlayerDB& database, const Import_Preview& preview);

// Every player of the database, in slot order, under the header row
// "first,last,aka,phone,cell": UTF-8 with a byte-order mark, CR LF.
QByteArray Export_Players(const CPlayerDB& database);
// The players an import of the export would not give back as they are, each
// with the reason (a line break in a name, a key stored twice, a name that
// differs from an earlier one only in case or blanks); empty when all come back.
struct Export_Problem {
    int slot = 0;
    QString text; // "ann,lee: differs from Ann,Lee only in case or blanks; ..."
};
QVector<Export_Problem> Export_Problems(const CPlayerDB& database);
