#pragma once
// The one error type of the program. A failing operation throws it; the guard
// around every command and event shows what() in a message box and goes on.
#include <QString>
#include <stdexcept>

class Velmora_Error : public std::runtime_error {
public:
    explicit Velmora_Error(const QString& text);
    explicit Velmora_Error(const char* text) : std::runtime_error(text) {}
    QString text() const { return QString::fromLocal8Bit(what()); }
};

// "Unable to write to %s" with the file's name in place of %s.
[[noreturn]] void Raise_Write_Error(const QString& path);
// "Unable to read %s" with the file's name in place of %s.
[[noreturn]] void Raise_Read_Error(const QString& path);
