#pragma once
// A fresh temporary program folder per test: Data/, Reports/ and the settings
// file of the code under test all live below it.
#include <QString>
#include <QTemporaryDir>

class Test_Folder {
public:
    Test_Folder();  // points the program folder here and rebuilds Player_DB
    ~Test_Folder(); // restores the previous program folder
    QString path() const { return dir_.path() + "/"; }
    QString data() const { return path() + "Data/"; }
    // Writes a file below the folder (creating its folders); returns its path.
    QString Write(const QString& relative, const QByteArray& bytes) const;
    QByteArray Read(const QString& relative) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Path of a fixture under tests/data.
QString Fixture(const QString& name);
