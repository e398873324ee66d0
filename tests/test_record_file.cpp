// Raw record files: whole records only, and writes that either replace the
// file completely or leave it as it was.
#include "platform/Record_file.h"
#include "platform/Velmora_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray Pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + 1);
    return bytes;
}

class RecordFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.path() + "/" + name; }

    QByteArray Read(const QString& name) const
    {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(RecordFileTest, ReadsOnlyWholeRecordsUpToTheMaximum)
{
    Write_File_Atomic(Path("a.plr"), Pattern(70));
    Record_read r = Read_Records(Path("a.plr"), 32, 150);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.bytes, Pattern(64));

    Write_File_Atomic(Path("b.plr"), Pattern(32 * 152));
    r = Read_Records(Path("b.plr"), 32, 150);
    EXPECT_EQ(r.count, 150);
    EXPECT_EQ(r.bytes, Pattern(32 * 150));

    Write_File_Atomic(Path("short.plr"), Pattern(31));
    r = Read_Records(Path("short.plr"), 32, 150);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 0);
    EXPECT_TRUE(r.bytes.isEmpty());
}

TEST_F(RecordFileTest, AMissingFileIsNotReadAndAnUnreadableOneRaises)
{
    Record_read r = Read_Records(Path("none.plr"), 32, 150);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.count, 0);
    EXPECT_TRUE(r.bytes.isEmpty());

    // A folder, or a file its owner may not read, exists and cannot be read:
    // reading it as missing would let the next save replace it.
    QDir(dir.path()).mkdir("Folder.plr");
    Write_File_Atomic(Path("locked.plr"), Pattern(64));
    QFile::setPermissions(Path("locked.plr"), QFileDevice::WriteOwner);
    for (const char* name : {"Folder.plr", "locked.plr"}) {
        try {
            Read_Records(Path(name), 32, 150);
            ADD_FAILURE() << name << " read without an error";
        } catch (const Velmora_Error& e) {
            EXPECT_EQ(e.text(), "Unable to read " + Path(name));
        }
        EXPECT_THROW(Write_Record_File(Path(name), Pattern(32)), Velmora_Error) << name;
    }
    QFile::setPermissions(Path("locked.plr"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(Read("locked.plr"), Pattern(64));
    Write_Record_File(Path("locked.plr"), Pattern(32));
    EXPECT_EQ(Read("locked.plr"), Pattern(32));
}

TEST_F(RecordFileTest, WritesKeepPermissionsAndLeaveOnlyRecognisableLeftovers)
{
    Write_File_Atomic(Path("a.plr"), Pattern(32));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(Path("a.plr"), mode));
    Write_File_Atomic(Path("a.plr"), Pattern(64));
    EXPECT_EQ(QFile::permissions(Path("a.plr")) & 0x7077, mode);
    EXPECT_EQ(Read("a.plr"), Pattern(64));

    // A link keeps pointing at the file, whose contents are replaced.
    ASSERT_TRUE(QFile::link(Path("a.plr"), Path("link.plr")));
    Write_File_Atomic(Path("link.plr"), Pattern(96));
    EXPECT_TRUE(QFileInfo(Path("link.plr")).isSymLink());
    EXPECT_EQ(Read("a.plr"), Pattern(96));

    // What a crash between writing and renaming leaves behind, beside files
    // that only look similar.
    QFile(Path("a.plr.velmora-tmp-3k2j1")).open(QIODevice::WriteOnly);
    QFile(Path("PdB.data.velmora-tmp-zz")).open(QIODevice::WriteOnly);
    QFile(Path("velmora-tmp.trn")).open(QIODevice::WriteOnly);
    QFile(Path("b.plr.tmp")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(Is_Temporary_Name("Cup.trn.velmora-tmp-abc"));
    EXPECT_FALSE(Is_Temporary_Name("velmora-tmp.trn"));
    EXPECT_EQ(Remove_Temporary_Leftovers(dir.path()), 2);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::System);
    left.sort();
    EXPECT_EQ(left, (QStringList{"a.plr", "b.plr.tmp", "link.plr", "velmora-tmp.trn"}));
}

TEST_F(RecordFileTest, AWriteReplacesTheWholeFile)
{
    Write_File_Atomic(Path("PdB.data"), Pattern(116 * 3));
    Write_File_Atomic(Path("PdB.data"), Pattern(116));
    EXPECT_EQ(Read("PdB.data"), Pattern(116));
    Write_File_Atomic(Path("PdB.data"), QByteArray());
    EXPECT_TRUE(QFile::exists(Path("PdB.data")));
    EXPECT_EQ(QFileInfo(Path("PdB.data")).size(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"PdB.data"});
}

TEST_F(RecordFileTest, AFailedWriteRaisesAndLeavesTheOldFile)
{
    try {
        Write_File_Atomic(Path("Gone/a.plr"), Pattern(32));
        FAIL() << "writing into a missing folder succeeded";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + Path("Gone/a.plr"));
        EXPECT_STREQ(e.what(), ("Unable to write to " + Path("Gone/a.plr")).toLocal8Bit().constData());
    }

    QDir(dir.path()).mkdir("Folder.plr");
    EXPECT_THROW(Write_File_Atomic(Path("Folder.plr"), Pattern(32)), Velmora_Error);

    // The disk takes no more than 100 bytes (a file-size limit stops root too).
    Write_File_Atomic(Path("a.plr"), Pattern(64));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &limit);
    bool thrown = false;
    try {
        Write_File_Atomic(Path("a.plr"), Pattern(32 * 10));
    } catch (const Velmora_Error& e) {
        thrown = true;
        EXPECT_EQ(e.text(), "Unable to write to " + Path("a.plr"));
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_TRUE(thrown);
    EXPECT_EQ(Read("a.plr"), Pattern(64));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.plr"});
}

} // namespace
