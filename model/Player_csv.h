#pragma once
// Players in and out of the database as CSV (RFC 4180): quoted fields, commas,
// quotes and line breaks inside quotes, CR LF or LF line ends, UTF-8 (with or
// without a byte-order mark) or Latin-1. The first row names the columns
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

// The records of a CSV text: fields per record and the line each starts on.
// An unclosed quote ends the text; its record is marked.
struct Csv_Record {
    QStringList fields;
    int line = 0;
    bool unclosed_quote = false; // a quoted field runs to the end of the text
    bool stray_text = false;     // text between a closing quote and the next comma
};
QVector<Csv_Record> Parse_Csv(const QString& text);
// The text of the file's bytes: a UTF-8 byte-order mark is dropped; bytes
// that are not valid UTF-8 are read as Latin-1.
QString Decode_Csv(const QByteArray& bytes);
// One field as written: quoted when it holds a comma, a quote, a line break
// or a blank at either end; quotes doubled.
QString Csv_Field(const QString& field);

// The characters of a text that the files' character set (Latin-1) cannot
// hold, each once, in order: "€, ő". Empty when it can hold them all.
QString Characters_Outside_Latin1(const QString& text);

enum class Import_Status { Add, Duplicate, Refused };

struct Import_Row {
    int line = 0;
    QString fields[Csv_Columns]; // first, last, aka, phone, cell
    Import_Status status = Import_Status::Refused;
    QString reason;              // for duplicates and refusals
    QString Key() const { return fields[0] + QLatin1Char(',') + fields[1]; }
};

struct Import_Preview {
    QString error;               // the file cannot be used at all (no header)
    QVector<Import_Row> rows;
    QStringList left_out;        // header cells that name no column we keep
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
