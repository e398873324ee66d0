#pragma once
// JPEG pictures through libjpeg: the chip pictures the operator chooses and
// the pictures the program writes (the default chips, the reports' logo).
#include <QImage>
#include <QString>

// Decodes the JPEG file at path. Grey, colour and CMYK pictures are read;
// a file that is missing, empty, truncated or not a JPEG raises Velmora_Error
// naming the file and the reason ("The picture /x/y.jpg cannot be read: Not a
// JPEG file: starts with 0x68 0x65"). Decoded pictures (and failures) are kept
// by path, file size and modification time, so reading an unchanged file again
// costs one look at the file's size and date.
QImage Read_Jpeg(const QString& path);

// Encodes the picture as a baseline JPEG of the given quality (1-100) and
// writes it atomically: on failure the old file stays and Velmora_Error
// "Unable to write to %s" is raised.
void Write_Jpeg(const QString& path, const QImage& image, int quality);

// Decodes JPEG bytes held in memory (a picture compiled into the program);
// errors name the picture as `name`. Not cached.
QImage Decode_Jpeg(const QByteArray& bytes, const QString& name);

// How many times Read_Jpeg has run the decoder (not counting cache hits).
int Jpeg_Decode_Count();
// Forgets every decoded picture.
void Clear_Jpeg_Cache();
// The file's size and modification time (to the nanosecond) as a text, ""
// when it does not exist: while it stays the same the file holds the same picture.
QString Jpeg_File_Stamp(const QString& path);
// Forgets the decoded picture of one file (a caller that keeps its own
// copy); a failure to read it stays remembered.
void Forget_Jpeg(const QString& path);
