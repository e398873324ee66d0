// JPEG pictures: decoding good and broken files, the cache, the encoder, and
// the pictures the build and the reports rely on.
#include "Test_folder.h"

#include "forms/artwork/Artwork.h"
#include "forms/artwork/Picture_files.h"
#include "platform/Jpeg_image.h"
#include "platform/Velmora_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A picture with four coloured quarters: the decoded colours can be checked.
QImage Quarters()
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool right = x >= 32;
            const bool low = y >= 24;
            img.setPixel(x, y, !right && !low ? qRgb(220, 20, 20) : right && !low ? qRgb(20, 200, 20)
                               : !right && low ? qRgb(20, 20, 220) : qRgb(30, 30, 30));
        }
    return img;
}

bool Near(QRgb a, QRgb b, int tolerance = 24)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString Error_Of(const QString& path)
{
    try {
        Read_Jpeg(path);
    } catch (const Velmora_Error& e) {
        return e.text();
    }
    return {};
}

class Jpeg_Test : public ::testing::Test {
protected:
    Test_Folder folder;
    void SetUp() override { Clear_Jpeg_Cache(); }
};

TEST_F(Jpeg_Test, WrittenPictureReadsBackWithItsSizeAndColours)
{
    const QString path = folder.path() + "quarters.jpg";
    Write_Jpeg(path, Quarters(), 95);
    const QByteArray bytes = folder.Read("quarters.jpg");
    ASSERT_GE(bytes.size(), 4);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF); // SOI marker
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);

    const QImage img = Read_Jpeg(path);
    ASSERT_EQ(img.size(), QSize(64, 48));
    EXPECT_TRUE(Near(img.pixel(8, 8), qRgb(220, 20, 20)));
    EXPECT_TRUE(Near(img.pixel(56, 8), qRgb(20, 200, 20)));
    EXPECT_TRUE(Near(img.pixel(8, 40), qRgb(20, 20, 220)));
    EXPECT_TRUE(Near(img.pixel(56, 40), qRgb(30, 30, 30)));

    // A grey picture decodes as well.
    const QString grey = folder.path() + "grey.jpg";
    Write_Jpeg(grey, Quarters().convertToFormat(QImage::Format_Grayscale8), 90);
    EXPECT_EQ(Read_Jpeg(grey).size(), QSize(64, 48));
}

TEST_F(Jpeg_Test, BrokenFilesRaiseAnErrorNamingTheFileAndNeverEndTheProgram)
{
    const QString text = folder.Write("notes.jpg", "hello, this is not a picture\n");
    const QString empty = folder.Write("empty.jpg", QByteArray());
    Write_Jpeg(folder.path() + "whole.jpg", Quarters(), 90);
    const QByteArray whole = folder.Read("whole.jpg");
    const QString truncated = folder.Write("truncated.jpg", whole.left(whole.size() / 2));
    const QString header_only = folder.Write("header.jpg", whole.left(40));
    const QString missing = folder.path() + "missing.jpg";

    for (const QString& path : {text, empty, truncated, header_only, missing}) {
        const QString error = Error_Of(path);
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_TRUE(error.startsWith(QStringLiteral("The picture "))) << error.toStdString();
    }
    EXPECT_TRUE(Error_Of(text).contains(QStringLiteral("Not a JPEG file")));
    EXPECT_TRUE(Error_Of(empty).contains(QStringLiteral("Empty input file")));
    EXPECT_TRUE(Error_Of(truncated).contains(QStringLiteral("Premature end")));

    // The good file still decodes after all those failures.
    EXPECT_EQ(Read_Jpeg(folder.path() + "whole.jpg").size(), QSize(64, 48));
}

TEST_F(Jpeg_Test, UnchangedFilesAreDecodedOnceAndChangedFilesAgain)
{
    const QString path = folder.path() + "chip.jpg";
    Write_Jpeg(path, Quarters(), 90);
    const int before = Jpeg_Decode_Count();
    const QImage first = Read_Jpeg(path);
    for (int i = 0; i < 10; ++i)
        Read_Jpeg(path);
    EXPECT_EQ(Jpeg_Decode_Count(), before + 1);
    EXPECT_EQ(Read_Jpeg(path).cacheKey(), first.cacheKey());

    // A new picture under the same name (another size) is decoded afresh.
    Write_Jpeg(path, Quarters().scaled(32, 24), 90);
    EXPECT_EQ(Read_Jpeg(path).size(), QSize(32, 24));
    EXPECT_EQ(Jpeg_Decode_Count(), before + 2);

    // A failure is remembered as well, and raised again each time.
    const QString bad = folder.Write("bad.jpg", "GIF89a");
    EXPECT_FALSE(Error_Of(bad).isEmpty());
    EXPECT_FALSE(Error_Of(bad).isEmpty());
    EXPECT_EQ(Jpeg_Decode_Count(), before + 3);
    // ... until the file is replaced by a readable one.
    Write_Jpeg(bad, Quarters(), 90);
    EXPECT_EQ(Read_Jpeg(bad).size(), QSize(64, 48));
}

TEST_F(Jpeg_Test, AFailedWriteKeepsTheOldFile)
{
    const QString path = folder.path() + "keep.jpg";
    Write_Jpeg(path, Quarters(), 90);
    const QByteArray old = folder.Read("keep.jpg");
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(Write_Jpeg(path, Quarters().scaled(16, 16), 90), Velmora_Error);
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(folder.Read("keep.jpg"), old);
    EXPECT_THROW(Write_Jpeg(path, QImage(), 90), Velmora_Error);
}

// The chip pictures must look like chips: a round coloured body on the grey
// of the page, the colour of the denomination.
TEST_F(Jpeg_Test, TheBuildWritesFiveChipPicturesInTheirColoursAndTheLogo)
{
    const QString build = QStringLiteral(VELMORA_BUILD_DIR "/");
    const QStringList files = Default_Chip_Files();
    ASSERT_EQ(files, QStringList({"white_chipsm.jpg", "red_chipsm.jpg", "blue_chipsm.jpg", "green_chipsm.jpg",
                                  "black_chipsm.jpg"}));
    struct Expect {
        bool (*body)(QColor);
    } const expect[] = {
        {[](QColor c) { return c.lightness() > 190; }},
        {[](QColor c) { return c.red() > 120 && c.green() < 80 && c.blue() < 80; }},
        {[](QColor c) { return c.blue() > 110 && c.red() < 80; }},
        {[](QColor c) { return c.green() > 80 && c.red() < 60 && c.blue() < 100; }},
        {[](QColor c) { return c.lightness() < 70; }},
    };
    for (int k = 0; k < 5; ++k) {
        const QImage img = Read_Jpeg(build + files[k]);
        ASSERT_EQ(img.size(), QSize(172, 130)) << files[k].toStdString();
        // Corners: the page grey. Above the inlay: the chip's body.
        EXPECT_TRUE(Near(img.pixel(2, 2), qRgb(0xec, 0xec, 0xec), 10)) << files[k].toStdString();
        EXPECT_TRUE(Near(img.pixel(169, 127), qRgb(0xec, 0xec, 0xec), 10)) << files[k].toStdString();
        EXPECT_TRUE(expect[k].body(QColor(img.pixel(86, 25)))) << files[k].toStdString();
    }
    EXPECT_EQ(Read_Jpeg(build + "logo.jpg").size(), QSize(208, 378)); // upright, like the pages show it
}

TEST_F(Jpeg_Test, ReportLogoIsWrittenOnceAndAnOwnLogoIsKept)
{
    const QString reports = folder.path() + "Reports";
    Ensure_Report_Logo(reports);
    const QString logo = reports + "/logo.jpg";
    ASSERT_TRUE(QFileInfo::exists(logo));
    EXPECT_EQ(Read_Jpeg(logo).size(), QSize(208, 378));

    // The operator's own logo stays, whatever it holds.
    folder.Write("Reports/logo.jpg", "my own logo");
    Ensure_Report_Logo(reports + "/");
    EXPECT_EQ(folder.Read("Reports/logo.jpg"), QByteArray("my own logo"));
}

} // namespace
