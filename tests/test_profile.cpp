// INI profiles: the value syntax on reading, the exact text after writes, and
// what a failed write leaves behind.
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Velmora_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <sys/resource.h>

namespace {

class ProfileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.path() + "/" + name; }

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return Path(name);
    }

    QByteArray Read(const QString& name) const
    {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Lowers the file-size limit of the process, so that writing more than `bytes`
// fails even for root; restored on destruction.
class File_Size_Limit {
public:
    explicit File_Size_Limit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~File_Size_Limit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

TEST_F(ProfileTest, IntegersReadDecimalOrHexAndFallBackToTheDefault)
{
    Profile p(Write("t.trn",
        "[Setup]\n"
        "Time=0x1E\nLower=0xff\nBare=0X\nWord=abc\nEmpty=\nTrailing=12abc\n"
        "Negative=-7\nPlus=+8\nAllBits=0xFFFFFFFF\nTooBig=2147483648\nTooLong=0x100000000\n"
        "Max=2147483647\nMin=-2147483648\nSpaced= 42 \n"));
    EXPECT_EQ(p.Read_Int("Setup", "Time", 20), 30);
    EXPECT_EQ(p.Read_Int("Setup", "Lower", 0), 255);
    EXPECT_EQ(p.Read_Int("Setup", "Bare", 5), 5);
    EXPECT_EQ(p.Read_Int("Setup", "Word", 25), 25);
    EXPECT_EQ(p.Read_Int("Setup", "Empty", 9), 9);
    EXPECT_EQ(p.Read_Int("Setup", "Trailing", 3), 3);
    EXPECT_EQ(p.Read_Int("Setup", "Negative", 0), -7);
    EXPECT_EQ(p.Read_Int("Setup", "Plus", 0), 8);
    EXPECT_EQ(p.Read_Int("Setup", "AllBits", 0), -1);
    EXPECT_EQ(p.Read_Int("Setup", "TooBig", 4), 4);
    EXPECT_EQ(p.Read_Int("Setup", "TooLong", 4), 4);
    EXPECT_EQ(p.Read_Int("Setup", "Max", 0), 2147483647);
    EXPECT_EQ(p.Read_Int("Setup", "Min", 0), -2147483647 - 1);
    EXPECT_EQ(p.Read_Int("Setup", "Spaced", 0), 42);
    EXPECT_EQ(p.Read_Int("Setup", "Missing", 11), 11);
    EXPECT_EQ(p.Read_Int("Nowhere", "Time", 12), 12);
}

TEST_F(ProfileTest, BooleansAreIntegersAndAnythingNonZeroIsTrue)
{
    Profile p(Write("t.trn", "[Chips]\nFirst=1\nSecond=0\nThird=7\nFourth=-1\nFifth=yes\nSixth=0x0\n"));
    EXPECT_TRUE(p.Read_Bool("Chips", "First", false));
    EXPECT_FALSE(p.Read_Bool("Chips", "Second", true));
    EXPECT_TRUE(p.Read_Bool("Chips", "Third", false));
    EXPECT_TRUE(p.Read_Bool("Chips", "Fourth", false));
    EXPECT_TRUE(p.Read_Bool("Chips", "Fifth", true));
    EXPECT_FALSE(p.Read_Bool("Chips", "Fifth", false));
    EXPECT_FALSE(p.Read_Bool("Chips", "Sixth", true));
    EXPECT_TRUE(p.Read_Bool("Chips", "Missing", true));
}

TEST_F(ProfileTest, FloatsReadWithAPointOrACommaAndRejectEverythingElse)
{
    Profile p(Write("t.trn",
        "[Prizes]\nTotal=12.5\nPrize 0=300\nPrize 1=1.5E-7\nPrize 2=-0.25\nPrize 3=abc\n"
        "Prize 4=\nPrize 5=12,5\nPrize 6=nan\nPrize 7=1e300\nPrize 8=1,000\nPrize 9=2.5x\n"
        "[More]\nA=1,2,3\nB=1.5,2\nC=3.5E38\nD=-0,125\nE=inf\n"));
    EXPECT_FLOAT_EQ(p.Read_Float("Prizes", "Total", 0), 12.5f);
    EXPECT_FLOAT_EQ(p.Read_Float("Prizes", "Prize 0", 0), 300.0f);
    EXPECT_FLOAT_EQ(p.Read_Float("Prizes", "Prize 1", 0), 1.5e-7f);
    EXPECT_FLOAT_EQ(p.Read_Float("Prizes", "Prize 2", 0), -0.25f);
    // A comma is a decimal separator (a file written where the user's was one).
    EXPECT_FLOAT_EQ(p.Read_Float("Prizes", "Prize 5", 0), 12.5f);
    EXPECT_FLOAT_EQ(p.Read_Float("Prizes", "Prize 8", 0), 1.0f);
    EXPECT_FLOAT_EQ(p.Read_Float("More", "D", 0), -0.125f);
    for (const char* key : {"Prize 3", "Prize 4", "Prize 6", "Prize 7", "Prize 9", "Gone"})
        EXPECT_FLOAT_EQ(p.Read_Float("Prizes", key, 7.5f), 7.5f) << key;
    for (const char* key : {"A", "B", "C", "E"})
        EXPECT_FLOAT_EQ(p.Read_Float("More", key, 7.5f), 7.5f) << key;
}

TEST_F(ProfileTest, EveryFloatWrittenReadsBackAsTheSameFloat)
{
    const float values[] = {FLT_MAX, -FLT_MAX, FLT_MIN, -FLT_MIN, std::nextafter(FLT_MAX, 0.0f), 0.1f, 1.0f / 3.0f,
                            12.5f, 16777217.0f, 1e-45f, 123456.789f, -0.0f};
    {
        Profile p(Path("f.trn"));
        for (size_t i = 0; i < std::size(values); ++i)
            p.Write_Float("F", QByteArray::number(qulonglong(i)).constData(), values[i]);
        p.Flush();
    }
    EXPECT_TRUE(Read("f.trn").contains("0=3.40282346638529E38\n1=-3.40282346638529E38\n"));
    Profile p(Path("f.trn"));
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(p.Read_Float("F", QByteArray::number(qulonglong(i)).constData(), 7.5f), values[i]) << i;

    // Just past the largest float, as other programs may round it, is the
    // largest float; beyond what rounds to it is no float at all.
    Profile q(Write("g.trn", "[F]\na=3.402823467E38\nb=-3.4028235677E38\nc=3.4028236E38\n"));
    EXPECT_EQ(q.Read_Float("F", "a", 0), FLT_MAX);
    EXPECT_EQ(q.Read_Float("F", "b", 0), -FLT_MAX);
    EXPECT_EQ(q.Read_Float("F", "c", 7.5f), 7.5f);
}

// The C library's locale is set from the environment by QCoreApplication; a
// German one makes printf write "12,5". Files must still say "12.5".
TEST_F(ProfileTest, FloatsAreWrittenWithAPointWhateverTheLocale)
{
    QTemporaryDir locales;
    const int built = QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", locales.path() + "/de_DE.UTF-8"});
    ASSERT_EQ(built, 0) << "localedef (package locales) could not build de_DE.UTF-8";
    qputenv("LOCPATH", locales.path().toLocal8Bit());
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 12.5);
    EXPECT_STREQ(text, "12,5"); // the locale is really in force
    {
        Profile p(Path("t.trn"));
        p.Write_Float("Prizes", "Total", 12.5f);
        p.Write_Float("Prizes", "Prize 0", 0.1f);
        p.Write_Float("Prizes", "Prize 1", 1.5e-7f);
        p.Flush();
    }
    Profile p(Path("t.trn"));
    const float total = p.Read_Float("Prizes", "Total", 0);
    std::setlocale(LC_ALL, "C");
    qunsetenv("LOCPATH");
    EXPECT_EQ(Read("t.trn").toStdString(), "[Prizes]\nTotal=12.5\nPrize 0=0.100000001490116\nPrize 1=1.50000005305628E-7\n");
    EXPECT_EQ(total, 12.5f);
}

TEST_F(ProfileTest, StringsAreUtf8OrOlderLatin1AndOnlyAMissingKeyGivesTheDefault)
{
    Profile p(Write("t.trn", "[Setup]\r\nSound=C:\\Sounds\\caf\xe9.wav\r\nWarning=\r\nTime=25\r\n"
                             "Music=/m/\xd0\x9c\xd1\x83\xd0\xb7.mp3\r\n"));
    EXPECT_EQ(p.Read_String("Setup", "Sound", "x"), QString::fromUtf8("C:\\Sounds\\café.wav"));
    EXPECT_EQ(p.Read_String("Setup", "Music", "x"), QString::fromUtf8("/m/\u041c\u0443\u0437.mp3"));
    EXPECT_EQ(p.Read_String("Setup", "Warning", "x"), QString());
    EXPECT_EQ(p.Read_String("Setup", "Missing", "x"), QString("x"));
    // The CR of a CRLF file is no part of the value.
    EXPECT_EQ(p.Read_Int("Setup", "Time", 0), 25);
}

TEST_F(ProfileTest, AMissingFileReadsAsDefaultsAndIsCreatedOnFlush)
{
    Profile p(Path("New.trn"));
    EXPECT_EQ(p.Read_Int("Setup", "Time", 20), 20);
    p.Write_Int("Setup", "Time", 15);
    p.Write_Int("Setup", "SB0", 5);
    p.Write_Int("Players", "Total", -3);
    p.Write_Bool("Chips", "First", true);
    p.Write_Bool("Chips", "Second", false);
    p.Write_Float("Prizes", "Total", 12.5f);
    p.Write_Float("Prizes", "Prize 0", 300.0f);
    p.Write_Float("Prizes", "Prize 1", 0.1f);
    p.Write_String("Chips", "First Path", QString::fromUtf8("/opt/caf\u00e9//white_chipsm.jpg"));
    EXPECT_FALSE(QFile::exists(Path("New.trn"))) << "nothing is written before Flush";
    p.Flush();
    EXPECT_EQ(Read("New.trn"),
        QByteArray("[Setup]\nTime=15\nSB0=5\n\n\n"
                   "[Players]\nTotal=-3\n\n\n"
                   "[Chips]\nFirst=1\nSecond=0\nFirst Path=/opt/caf\xc3\xa9//white_chipsm.jpg\n\n\n"
                   "[Prizes]\nTotal=12.5\nPrize 0=300\nPrize 1=0.100000001490116\n"));

    Profile again(Path("New.trn"));
    EXPECT_FLOAT_EQ(again.Read_Float("Prizes", "Prize 1", 0), 0.1f);
    EXPECT_EQ(again.Read_String("Chips", "First Path", ""), QString::fromUtf8("/opt/caf\u00e9//white_chipsm.jpg"));
}

TEST_F(ProfileTest, WritesReplaceInPlaceAppendToTheSectionAndKeepTheRest)
{
    Write("t.trn",
        "; made by hand\r\n"
        "\r\n"
        "[Setup]\r\n"
        "Time=20\r\n"
        "; the first level\r\n"
        "SB0 = 5\r\n"
        "Colour=green\r\n"
        "\r\n"
        "[Players]\r\n"
        "Total=4\r\n");
    Profile p(Path("t.trn"));
    p.Write_Int("Setup", "Time", 30);
    p.Write_Int("Setup", "BB0", 10);
    p.Write_Int("Players", "Out", 2);
    p.Write_Float("Prizes", "Total", 87.5f);
    p.Write_Int("Setup", "SB0", 15);
    p.Flush();
    EXPECT_EQ(Read("t.trn"),
        QByteArray("; made by hand\n"
                   "\n\n"
                   "[Setup]\n"
                   "Time=30\n"
                   "\n"
                   "; the first level\n"
                   "SB0=15\n"
                   "Colour=green\n"
                   "BB0=10\n"
                   "\n\n"
                   "[Players]\n"
                   "Total=4\n"
                   "Out=2\n"
                   "\n\n"
                   "[Prizes]\n"
                   "Total=87.5\n"));
}

TEST_F(ProfileTest, FlushWithoutWritesLeavesTheFileAlone)
{
    const QByteArray original("[Setup]\r\nTime = 20\r\n\r\n\r\n; trailing note\r\n");
    Write("t.trn", original);
    {
        Profile p(Path("t.trn"));
        EXPECT_EQ(p.Read_Int("Setup", "Time", 0), 20);
        p.Flush();
    }
    EXPECT_EQ(Read("t.trn"), original);

    // Nor does a profile of a missing file create one.
    Profile empty(Path("none.trn"));
    empty.Flush();
    EXPECT_FALSE(QFile::exists(Path("none.trn")));
}

TEST_F(ProfileTest, ALineBreakInAValueCannotPlantAnotherKey)
{
    Profile p(Path("t.trn"));
    p.Write_String("Setup", "Sound", "a.wav\nTime=1\r\nOut=2");
    p.Flush();
    Profile again(Path("t.trn"));
    EXPECT_EQ(again.Read_Int("Setup", "Time", 20), 20);
    EXPECT_EQ(again.Read_String("Setup", "Sound", ""), QString("a.wav Time=1  Out=2"));
}

TEST_F(ProfileTest, AFailedFlushRaisesAndLeavesTheOldFile)
{
    // The path is a folder.
    QDir(dir.path()).mkdir("Folder.trn");
    {
        Profile p(Path("Folder.trn"));
        p.Write_Int("Setup", "Time", 1);
        try {
            p.Flush();
            FAIL() << "Flush onto a folder succeeded";
        } catch (const Velmora_Error& e) {
            EXPECT_EQ(e.text(), "Unable to write to " + Path("Folder.trn"));
        }
        EXPECT_TRUE(QFileInfo(Path("Folder.trn")).isDir());
    }
    // The folder of the path does not exist.
    {
        Profile p(Path("Gone/t.trn"));
        p.Write_Int("Setup", "Time", 1);
        EXPECT_THROW(p.Flush(), Velmora_Error);
        EXPECT_FALSE(QFileInfo::exists(Path("Gone")));
    }
    // The disk refuses the new contents: the old file stays byte for byte and
    // no temporary file is left beside it.
    const QByteArray original("[Setup]\r\nTime=20\r\n");
    Write("t.trn", original);
    Profile p(Path("t.trn"));
    for (int i = 0; i < 100; ++i)
        p.Write_Int("Setup", QString("SB%1").arg(i).toLatin1().constData(), i);
    {
        File_Size_Limit limit(64);
        try {
            p.Flush();
            FAIL() << "Flush beyond the file-size limit succeeded";
        } catch (const Velmora_Error& e) {
            EXPECT_EQ(e.text(), "Unable to write to " + Path("t.trn"));
        }
    }
    EXPECT_EQ(Read("t.trn"), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.trn"});

    // The values are still pending: the next Flush writes them.
    p.Flush();
    Profile again(Path("t.trn"));
    EXPECT_EQ(again.Read_Int("Setup", "SB99", 0), 99);
    EXPECT_EQ(again.Read_Int("Setup", "Time", 0), 20);
}

TEST(FloatText, GeneralFormWithFifteenSignificantDigits)
{
    EXPECT_EQ(Float_Text(12.5), "12.5");
    EXPECT_EQ(Float_Text(300), "300");
    EXPECT_EQ(Float_Text(static_cast<double>(0.1f)), "0.100000001490116");
    EXPECT_EQ(Float_Text(0), "0");
    EXPECT_EQ(Float_Text(-0.0), "0");
    EXPECT_EQ(Float_Text(-87.5), "-87.5");
    EXPECT_EQ(Float_Text(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(Float_Text(2.0 / 3.0), "0.666666666666667");
    // Fixed notation down to 0.00001 and up to 15 integer digits.
    EXPECT_EQ(Float_Text(0.00001), "0.00001");
    EXPECT_EQ(Float_Text(0.000001), "1E-6");
    EXPECT_EQ(Float_Text(-0.00000125), "-1.25E-6");
    EXPECT_EQ(Float_Text(999999999999999.0), "999999999999999");
    EXPECT_EQ(Float_Text(1000000000000000.0), "1E15");
    EXPECT_EQ(Float_Text(1234567890123456.0), "1.23456789012346E15");
    // Rounding that carries into a new digit.
    EXPECT_EQ(Float_Text(9.999999999999998), "10");
    EXPECT_EQ(Float_Text(0.9999999999999998), "1");
    EXPECT_EQ(Float_Text(0.0000099999999999999995), "0.00001");
}

TEST(ProgramFolder, TheExecutablesFolderUntilOverridden)
{
    const QString own = QCoreApplication::applicationDirPath() + "/";
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    Set_Program_Folder(QString());
    EXPECT_EQ(Program_Folder(), own);
    EXPECT_EQ(Settings_Path(), own + name + ".ini");

    Set_Program_Folder("/tmp/velmora-test");
    EXPECT_EQ(Program_Folder(), "/tmp/velmora-test/");
    EXPECT_EQ(Data_Folder(), "/tmp/velmora-test/Data/");
    EXPECT_EQ(Reports_Folder(), "/tmp/velmora-test/Reports/");
    EXPECT_EQ(Sounds_Folder(), "/tmp/velmora-test/Sounds/");
    EXPECT_EQ(Settings_Path(), "/tmp/velmora-test/" + name + ".ini");
    Set_Program_Folder(own);
    EXPECT_EQ(Program_Folder(), own);
}

} // namespace
