#pragma once
// Raw record images (".plr", "PdB.data") and other whole files.
#include <QByteArray>
#include <QString>

// Reads the whole records at the start of the file, at most max_records of
// record_size bytes each. A missing or unreadable file gives ok = false and
// no bytes; a trailing partial record is dropped.
struct Record_read {
    bool ok = false;
    QByteArray bytes; // count * record_size bytes
    int count = 0;    // whole records read
};
Record_read Read_Records(const QString& path, int record_size, int max_records);

// Writes the bytes as the whole new contents of the file: written to a
// temporary file in the same folder, then renamed over the old one. On any
// failure the old file is left as it was and Velmora_Error "Unable to write to
// %s" is thrown.
void Write_File_Atomic(const QString& path, const QByteArray& bytes);
