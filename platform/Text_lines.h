#pragma once
// Line-oriented 8-bit text files (the ".m3u" playlists).
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// 8-bit text as this system keeps it: UTF-8; text that is not valid UTF-8
// (written on an older system) is read as Latin-1.
QString Decode_8Bit(const char* bytes, qsizetype size);

// Splits the bytes into lines at CR, LF or CR LF; a break at the very end adds
// no empty line; reading stops at a NUL byte. Nothing is trimmed.
QStringList Split_Lines(const QByteArray& bytes);

// The whole contents of a file; a file that cannot be read throws
// Velmora_Error with a text naming the file and the reason.
QByteArray Read_Whole_File(const QString& path);

// Reads a text file as lines (UTF-8, or Latin-1 where a line is not valid
// UTF-8). A file that cannot be opened throws
// Velmora_Error with a text naming the file and the reason.
QStringList Read_Lines(const QString& path);

// The songs of a ".m3u" playlist as the clock plays them: lines starting with
// '#' (#EXTM3U, #EXTINF:...) and empty lines are no songs, and a relative song
// path is taken relative to the playlist's own folder. Throws like Read_Lines.
QStringList Read_Playlist_Songs(const QString& playlist_path);

// Writes every line as UTF-8 followed by CR LF (an empty list gives 0 bytes),
// atomically.
void Write_Lines(const QString& path, const QStringList& lines);

// The extension of a file name: the text from the last dot of its name part
// on, "" when the name part has no dot.
QString File_Extension(const QString& path);
// The name part of a path: the text after the last '/'.
QString File_Name_Part(const QString& path);

// A box's whole number: an optional sign and decimal digits within 32 bits,
// nothing else (no blanks, no separators); otherwise no value.
std::optional<int32_t> Whole_Number(const QString& text);
