#pragma once
// A sound player for tests: records what the clock opens and plays. A file
// that does not exist, or one named in fail, cannot be opened.
#include "platform/Media_player.h"
#include "platform/Velmora_error.h"

#include <QFile>
#include <QSet>
#include <QStringList>

class Recording_Player : public Sound_Player {
public:
    QStringList played;   // every file that started playing, in order
    QSet<QString> fail;
    bool playing = false;
    QString open_file;
    int stops = 0;
    QString notice; // given once by Take_Notice

    QString Take_Notice() override
    {
        QString n;
        n.swap(notice);
        return n;
    }

    void Open(const QString& path) override
    {
        Close();
        if (fail.contains(path) || !QFile::exists(path))
            throw Velmora_Error(QStringLiteral("Cannot open the sound file %1.").arg(path));
        open_file = path;
    }
    void Play() override
    {
        played << open_file;
        playing = true;
    }
    bool Is_Playing() const override { return playing; }
    void Stop() override
    {
        ++stops;
        playing = false;
    }
    void Close() override
    {
        playing = false;
        open_file.clear();
    }
};
