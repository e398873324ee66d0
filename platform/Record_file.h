#pragma once
// Raw record images (".plr", "PdB.data") and other whole files.
#include <QByteArray>
#include <QString>

// Reads the whole records at the start of the file, at most max_records of
// record_size bytes each; a trailing partial record is dropped. A missing file
// gives ok = false and no bytes. A file that exists but cannot be read (no
// read permission for its owner, a folder, an I/O error) throws Velmora_Error
// "Unable to read %s": reading it as empty would let the next save replace it.
struct Record_read {
    bool ok = false;
    QByteArray bytes; // count * record_size bytes
    int count = 0;    // whole records read
};
Record_read Read_Records(const QString& path, int record_size, int max_records);

// Writes the bytes as the whole new contents of the file: written to a
// temporary file in the same folder, then renamed over the old one, and the
// folder synced so the new name survives a power cut. On any failure the old
// file is left as it was and Velmora_Error "Unable to write to %s" is thrown.
void Write_File_Atomic(const QString& path, const QByteArray& bytes);

// Write_File_Atomic for a record file, which is never written over while it
// exists and cannot be read: its contents were never seen, so replacing them
// would lose them. Throws "Unable to write to %s" then.
void Write_Record_File(const QString& path, const QByteArray& bytes);

// Temporary files of the atomic writes are named "<file name>.velmora-tmp-<random>"
// in the folder of the file they replace. A crash between writing and renaming
// leaves one behind; this removes every such leftover in the folder and
// returns how many it removed.
int Remove_Temporary_Leftovers(const QString& folder);
// True for a name that Write_File_Atomic gives its temporary files.
bool Is_Temporary_Name(const QString& file_name);

// Start-up: removes the leftovers of interrupted writes from the data folder,
// the reports folder and the folder of the settings file, before any is used.
void Remove_Start_Up_Leftovers();
