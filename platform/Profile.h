#pragma once
// INI profile files (the tournament file, the settings file) with the value
// syntax the program relies on:
//  - integers written in decimal; read as hexadecimal when the text starts with
//    "0x"/"0X" and is at least three characters long; missing, empty or
//    invalid text gives the default;
//  - booleans written "1"/"0"; any integer other than 0 reads as true;
//  - floats written in the shortest general form with at most 15 significant
//    digits (the 32-bit value widened to 64 bits first) with '.' as the
//    decimal separator whatever the locale; read with '.' or ','; a value just
//    past the largest float (as that float is written) reads as that float;
//  - strings as they are (UTF-8; a value that is not valid UTF-8 reads as
//    Latin-1, as older files hold); a missing key gives the default.
// Writing replaces a key's line in place, appends a new key at the end of its
// section and a new section at the end of the file; unknown keys and comments
// are kept. Lines are written "key=value".
#include <QString>
#include <QStringList>
#include <memory>

class Profile {
public:
    explicit Profile(const QString& path); // reads the file if it exists (CRLF or LF)
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    const QString& path() const { return path_; }

    int Read_Int(const char* section, const char* key, int def) const;
    bool Read_Bool(const char* section, const char* key, bool def) const;
    float Read_Float(const char* section, const char* key, float def) const;
    QString Read_String(const char* section, const char* key, const QString& def) const;
    // The keys of a section in the order of the file.
    QStringList Keys(const char* section) const;

    void Write_Int(const char* section, const char* key, int value);
    void Write_Bool(const char* section, const char* key, bool value);
    void Write_Float(const char* section, const char* key, float value);
    void Write_String(const char* section, const char* key, const QString& value);
    // Removes a whole section with its keys (nothing when there is none).
    void Delete_Section(const char* section);
    // Removes a key, and its section once that holds nothing more; a key that
    // is not there changes nothing.
    void Delete_Key(const char* section, const char* key);

    // Writes the file atomically if anything was written since it was opened.
    // Throws Velmora_Error "Unable to write to %s" when the file cannot be
    // written; the old file then stays as it was.
    void Flush();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    QString path_;
    bool dirty_ = false;
};

// The general float text: at most 15 significant digits, trailing zeros
// dropped, no decimal point for whole numbers ("100", "87.5", "0.100000001490116");
// always '.' as the decimal separator.
QString Float_Text(double value);
