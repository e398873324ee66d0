#include "Test_folder.h"

#include "model/Player.h"
#include "platform/Program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Test_Folder::Test_Folder() : previous_(Program_Folder())
{
    Set_Program_Folder(path());
    Construct_Player_DB();
}

Test_Folder::~Test_Folder()
{
    Set_Program_Folder(previous_);
    Construct_Player_DB();
}

QString Test_Folder::Write(const QString& relative, const QByteArray& bytes) const
{
    QString full = path() + relative;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return full;
}

QByteArray Test_Folder::Read(const QString& relative) const
{
    QFile f(path() + relative);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString Fixture(const QString& name) { return QStringLiteral(VELMORA_TEST_DATA "/") + name; }
