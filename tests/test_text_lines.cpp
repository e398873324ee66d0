// Playlist text files: how bytes split into entries, the exact bytes written,
// and the file name helpers used for extensions and displayed names.
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using L = QStringList;

TEST(SplitLines, BreaksEmptyLinesNulAndLatin1)
{
    EXPECT_EQ(Split_Lines("a\r\nb\rc\nd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(Split_Lines("a\n\rb"), (L{"a", "", "b"})); // LF CR is two breaks
    // A final break adds no line; earlier empty lines are entries.
    EXPECT_EQ(Split_Lines("a\r\nb\r\n"), (L{"a", "b"}));
    EXPECT_EQ(Split_Lines("a\rb\r"), (L{"a", "b"}));
    EXPECT_EQ(Split_Lines("a\r\n\r\n"), (L{"a", ""}));
    EXPECT_EQ(Split_Lines("\r\n"), (L{""}));
    EXPECT_TRUE(Split_Lines("").isEmpty());
    EXPECT_EQ(Split_Lines(QByteArray("a\r\nb\0c\r\nd\r\n", 11)), (L{"a", "b"}));
    // Header and comment lines are entries; nothing is trimmed.
    EXPECT_EQ(Split_Lines("#EXTM3U\r\n#EXTINF:1,A - B\r\nC:\\a.mp3\r\n\r\n  C:\\b.mp3 \t\r\n"),
              (L{"#EXTM3U", "#EXTINF:1,A - B", "C:\\a.mp3", "", "  C:\\b.mp3 \t"}));
    // UTF-8 lines, and Latin-1 lines from older lists, read as the same text.
    EXPECT_EQ(Split_Lines("Caf\xe9\r\n"), L{QString::fromUtf8("Caf\u00e9")});
    EXPECT_EQ(Split_Lines("Caf\xc3\xa9\r\n/m/\xe4\xb8\xad.mp3"),
              (L{QString::fromUtf8("Caf\u00e9"), QString::fromUtf8("/m/\u4e2d.mp3")}));
}

class TextFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.path() + "/" + name; }
    QByteArray Read(const QString& name) const
    {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

TEST_F(TextFileTest, WritesCrLfAfterEveryLineAndReadsItBack)
{
    const L lines = {"C:\\Music\\a.mp3", "", QString::fromUtf8("/m\u00fasica/b.wav")};
    Write_Lines(Path("x.m3u"), lines);
    EXPECT_EQ(Read("x.m3u"), QByteArray("C:\\Music\\a.mp3\r\n\r\n/m\xc3\xbasica/b.wav\r\n"));
    EXPECT_EQ(Read_Lines(Path("x.m3u")), lines);

    Write_Lines(Path("x.m3u"), {}); // an empty list replaces the file with 0 bytes
    EXPECT_EQ(Read("x.m3u"), QByteArray());
}

TEST_F(TextFileTest, FailuresNameTheFileAndKeepTheOldOne)
{
    try {
        Read_Lines(Path("none.m3u"));
        ADD_FAILURE() << "no error";
    } catch (const Velmora_Error& e) {
        EXPECT_TRUE(e.text().startsWith("Unable to read " + Path("none.m3u") + ": ")) << e.what();
        EXPECT_FALSE(e.text().endsWith(": "));
    }
    try {
        Write_Lines(Path("no/folder/x.m3u"), {"a"});
        ADD_FAILURE() << "no error";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + Path("no/folder/x.m3u"));
    }
    // Any file name is written as UTF-8 and read back unchanged.
    const QStringList names{QString::fromUtf8("/m/\u4e2d.mp3"), QString::fromUtf8("/m/Caf\u00e9.wav")};
    Write_Lines(Path("names.m3u"), names);
    EXPECT_EQ(Read("names.m3u"), QByteArray("/m/\xe4\xb8\xad.mp3\r\n/m/Caf\xc3\xa9.wav\r\n"));
    EXPECT_EQ(Read_Lines(Path("names.m3u")), names);
}

TEST(FileNames, NamePartAndExtension)
{
    EXPECT_EQ(File_Name_Part("/home/me/song one.wav"), "song one.wav");
    EXPECT_EQ(File_Name_Part("plain.m3u"), "plain.m3u");
    EXPECT_EQ(File_Name_Part("/music/"), "");
    // ':' and '\\' belong to the name on Linux.
    EXPECT_EQ(File_Name_Part("/data/Game 1: Friday.trn"), "Game 1: Friday.trn");
    EXPECT_EQ(File_Name_Part("/data/a\\b.trn"), "a\\b.trn");
    EXPECT_EQ(File_Extension("C:\\Lists\\party.m3u"), ".m3u");
    EXPECT_EQ(File_Extension("/x/party.M3U"), ".M3U");
    EXPECT_EQ(File_Extension("/x/archive.tar.gz"), ".gz");
    EXPECT_EQ(File_Extension("/my.music/playlist"), ""); // a dot in a folder is no extension
}

} // namespace
