// ".m3u" playlists: whatever a playlist file holds, reading it does not crash,
// and the lines read, written by the playlist editor and read again are the
// same lines.
#include "Fuzz_support.h"

#include "platform/Text_lines.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz_Set_Up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Sounds_Folder() + QStringLiteral("night.m3u");
    static const bool made = QDir().mkpath(Sounds_Folder());
    FUZZ_CHECK(made);
    Fuzz_Put_File(path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    const QStringList lines = Read_Lines(path);
    for (const QString& line : lines)
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')) &&
                   !line.contains(QChar(0)));
    Write_Lines(path, lines);
    FUZZ_CHECK(Read_Lines(path) == lines);
    for (const QString& line : lines)
        (void)File_Extension(line); // the editor shows each song by its name
    return 0;
}
