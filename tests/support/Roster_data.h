#pragma once
// Players for the tests of the Players page, the player entry dialog and the
// in/out grid: database records and entry files written the way the program
// writes them.
#include "model/Player.h"
#include "model/Tourney.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cstring>
#include <utility>

// Adds a player to the database file of the current program folder.
inline void Store_Player(const QString& first, const QString& last, const QString& phone = QString(),
                         const QString& aka = QString(), const QString& cell = QString())
{
    CPlayer p;
    Set_Field(p.First, Player_Text_Size, first);
    Set_Field(p.Last, Player_Text_Size, last);
    Set_Field(p.Aka, Player_Text_Size, aka);
    Set_Field(p.Phone, Player_Text_Size, phone);
    Set_Field(p.Cell, Player_Text_Size, cell);
    QDir().mkpath(QFileInfo(Player_DB.Path).absolutePath());
    Player_DB.Add(p);
}

// The bytes of an entry file holding these names with these places.
inline QByteArray Entry_File(const QList<std::pair<QString, int>>& entries)
{
    QByteArray bytes;
    for (const auto& [name, place] : entries) {
        CTourneyPlayer e;
        std::memset(&e, 0, sizeof e);
        const QByteArray latin = name.toLatin1();
        std::memcpy(e.Name, latin.constData(), static_cast<size_t>(qMin<qsizetype>(latin.size(), Entry_Name_Size - 1)));
        e.Place = place;
        bytes.append(reinterpret_cast<const char*>(&e), sizeof e);
    }
    return bytes;
}

// Name -> place of every record of an entry file, in file order.
inline QList<std::pair<QString, int>> Entries_Of(const QByteArray& bytes)
{
    QList<std::pair<QString, int>> entries;
    for (qsizetype at = 0; at + qsizetype(sizeof(CTourneyPlayer)) <= bytes.size(); at += sizeof(CTourneyPlayer)) {
        CTourneyPlayer e;
        std::memcpy(&e, bytes.constData() + at, sizeof e);
        entries.append({QString::fromLatin1(e.Name, qsizetype(strnlen(e.Name, Entry_Name_Size))), e.Place});
    }
    return entries;
}

inline QStringList Items(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

// Clicks an item as the operator does; with Ctrl it joins the selection.
inline void Click_Item(QListWidget* list, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return;
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(found.first()).center());
}

inline void Double_Click_Item(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return;
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}
