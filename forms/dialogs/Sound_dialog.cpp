#include "forms/dialogs/Sound_dialog.h"

#include "platform/Program_folder.h"

#include <QDir>
#include <QStringList>

QStringList Playable_Sound_Patterns()
{
    // What SDL2_mixer's music decoders read on Debian.
    return {QStringLiteral("*.wav"), QStringLiteral("*.mp3"), QStringLiteral("*.ogg"), QStringLiteral("*.flac"),
            QStringLiteral("*.opus")};
}

QString Sound_Filter(const QString& entries, bool with_playlists)
{
    QStringList patterns = Playable_Sound_Patterns();
    if (with_playlists)
        patterns << QStringLiteral("*.m3u");
    const QString caption = with_playlists ? QStringLiteral("Sounds and playlists") : QStringLiteral("Sounds");
    return caption + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")|")
           + patterns.join(QLatin1Char(';')) + QLatin1Char('|') + entries;
}

File_Dialog Sound_File_Dialog(const QString& title, const QString& entries, bool with_playlists)
{
    File_Dialog d;
    d.title = title;
    d.filter = Sound_Filter(entries, with_playlists);
    d.filter_index = 1;
    d.initial_dir = QDir(Sounds_Folder()).exists() ? Sounds_Folder() : Program_Folder();
    d.must_exist = true;
    return d;
}
