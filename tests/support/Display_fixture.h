#pragma once
// A main window with a tournament of twelve entries (three of them out), a
// chip set and a prize pool, and its players' display.
#include "Main_window_test.h"
#include "Recording_speaker.h"

#include "forms/display/Players_display.h"

#include "platform/Program_folder.h"

#include <QFile>
#include <QTime>

class Display_Fixture : public Main_Window_Test {
protected:
    Recording_Speaker* voice = nullptr;

    // Entries "P1,X" .. "Pn,X"; the last `out` of them knocked out.
    static QByteArray Entries(int count, int out)
    {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            QByteArray name = QStringLiteral("P%1,X").arg(i + 1).toLatin1();
            name.resize(20, '\0');
            bytes += name;
            const qint32 fields[3] = {0, i, i >= count - out ? count - (i - (count - out)) : 0};
            bytes += QByteArray(reinterpret_cast<const char*>(fields), sizeof fields);
        }
        return bytes;
    }

    void Start_Tourney(const QByteArray& extra_trn, int minutes = 20, int entries = 12, int out = 3)
    {
        folder.Write(QStringLiteral("Data/Default.plr"), Entries(entries, out));
        folder.Write(QStringLiteral("Data/Default.trn"),
                     "[Setup]\nTime=" + QByteArray::number(minutes) + "\n" + extra_trn + "[Players]\nTotal="
                         + QByteArray::number(entries) + "\nOut=" + QByteArray::number(entries - out) + "\n");
        Start();
        auto speaker = std::make_unique<Recording_Speaker>();
        voice = speaker.get();
        form->Set_Speaker(std::move(speaker));
    }

    static QByteArray Chips_And_Prizes()
    {
        return "[Chips]\nFirst Value=25\nFirst Quanity=20\nSecond Value=100\nSecond Quanity=15\n"
               "[Prizes]\nTotal=1200\nPrize 0=50\nPrize 1=30\nPrize 2=20\n";
    }

    TPlayers_Display* Open_Display()
    {
        form->PlayersDisplay1->trigger();
        TPlayers_Display* d = form->Display_Window();
        if (d)
            d->Set_Time_Source([] { return QTime(21, 45, 30); });
        return d;
    }

    // Paints the display at a size, as the screen would.
    QImage Frame(TPlayers_Display* d, const QSize& size)
    {
        d->resize(size);
        return d->grab().toImage();
    }

    static const Display_Text* Text(const std::vector<Display_Text>& frame, const QString& role)
    {
        for (const Display_Text& t : frame)
            if (t.role == role)
                return &t;
        return nullptr;
    }

    QString Setting(const char* section, const char* key)
    {
        QFile file(Settings_Path());
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<no file>");
        const QString text = QString::fromUtf8(file.readAll());
        const QString head = QStringLiteral("[%1]").arg(QLatin1String(section));
        const qsizetype at = text.indexOf(head);
        if (at < 0)
            return QStringLiteral("<no section>");
        const QString body = text.mid(at + head.size()).section(QStringLiteral("\n["), 0, 0);
        for (const QString& line : body.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String(key) + QLatin1Char('=')))
                return line.mid(qsizetype(strlen(key)) + 1);
        return QStringLiteral("<no key>");
    }
};
