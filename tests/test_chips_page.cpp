// The chip set: values, quantities and totals on the Chips page, the chip
// values of the Action page, the pictures and what the tournament file keeps.
#include "Main_window_test.h"

#include "forms/widgets/Spin_box.h"
#include "forms/artwork/Picture_files.h"
#include "platform/Jpeg_image.h"
#include "platform/Program_folder.h"

#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

namespace {

class Chips_Page_Test : public Main_Window_Test {
protected:
    QString Trn() const { return QString::fromLatin1(folder.Read("Data/Default.trn")); }
    // Shows the Chips page (a page switch: save and reload) and lets its
    // refresh timer tick once.
    void Show_Chips_Page()
    {
        form->SpeedButton6->click();
        form->Timer2Timer();
    }
    QString Totals() const
    {
        QStringList t;
        for (QLineEdit* box : form->Chip_Total)
            t << box->text();
        return t.join(QLatin1Char(' ')) + QStringLiteral(" | ") + form->Total_Chips->text();
    }
    static QString Shown(const QLabel* box) { return box->property("picture_path").toString(); }
    QString Picture(const QString& name, QColor colour)
    {
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = folder.path() + name;
        Write_Jpeg(path, img, 90);
        return path;
    }
};

TEST_F(Chips_Page_Test, WindowStartsWithTheDocumentedControls)
{
    Start();
    EXPECT_EQ(form->GroupBox6->title(), QStringLiteral("Chip Selection"));
    EXPECT_EQ(form->GroupBox7->title(), QStringLiteral("Chip Values"));
    EXPECT_EQ(form->GroupBox7->parentWidget(), form->Action_Sheet);
    const char* const buttons[] = {"SpeedButton11", "SpeedButton10", "SpeedButton9", "SpeedButton8", "Image5_Btn"};
    const char* const images[] = {"First_Image", "Second_Image", "Third_Image", "Fourth_Image", "Fifth_Image"};
    for (int k = 0; k < Chip_Count; ++k) {
        EXPECT_EQ(form->Chip_Image_Btn[k]->objectName(), QLatin1String(buttons[k]));
        EXPECT_EQ(form->Chip_Image_Btn[k]->text(), QStringLiteral("Change..."));
        EXPECT_EQ(form->Chip_Image_Btn[k]->toolTip(), QStringLiteral("Click to Specify Image"));
        EXPECT_EQ(form->Chip_Image[k]->objectName(), QLatin1String(images[k]));
        EXPECT_EQ(form->Chip_Image2[k]->objectName(), QLatin1String(images[k]) + QStringLiteral("2"));
        EXPECT_EQ(form->Chip_Value[k]->objectName(), QStringLiteral("Chip%1_Value").arg(k + 1));
        EXPECT_EQ(form->Chip_Value[k]->toolTip(), QStringLiteral("Chip Value"));
        EXPECT_EQ(form->Chip_Quanity[k]->objectName(), QStringLiteral("Chip%1_Quanity").arg(k + 1));
        EXPECT_EQ(form->Chip_Quanity[k]->maximum(), 10000);
        EXPECT_EQ(form->Chip_Quanity[k]->toolTip(), QStringLiteral("Adjust Chip Count"));
        EXPECT_TRUE(form->Chip_Total[k]->isReadOnly());
        EXPECT_EQ(form->Chip_Total[k]->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(form->Chip_Fixed[k]->isReadOnly());
        EXPECT_EQ(form->Chip_Change[k]->objectName(), QStringLiteral("Chip%1_Change").arg(k + 1));
    }
    EXPECT_EQ(form->Total_Chips->toolTip(), QStringLiteral("Total Chip Value"));
    EXPECT_EQ(form->Total_Chips->focusPolicy(), Qt::NoFocus);
    // Every row says "Quantity:" (only the file keys keep the old spelling).
    QStringList captions;
    for (QLabel* l : form->GroupBox6->findChildren<QLabel*>())
        captions << l->text();
    EXPECT_EQ(captions.count(QStringLiteral("Quantity:")), 5);
    EXPECT_EQ(captions.count(QStringLiteral("Quanity:")), 0);
    EXPECT_EQ(captions.count(QStringLiteral("Value:")), 5);
    EXPECT_EQ(captions.count(QStringLiteral("{")), 1);
}

TEST_F(Chips_Page_Test, TournamentWithoutChipsShowsDefaultsAndZeroTotalsOnceShown)
{
    folder.Write("Data/Default.trn", "[Setup]\nTime=20\n");
    Start();
    const char* const values[] = {"5", "10", "25", "50", "100"};
    for (int k = 0; k < Chip_Count; ++k) {
        EXPECT_EQ(form->Chip_Value[k]->text(), QLatin1String(values[k]));
        EXPECT_EQ(form->Chip_Fixed[k]->text(), form->Chip_Value[k]->text());
        EXPECT_EQ(form->Chip_Quanity[k]->text(), QStringLiteral("0"));
    }
    EXPECT_EQ(form->Current_Tourney->Chips[0].Path, Program_Folder() + QStringLiteral("/white_chipsm.jpg"));
    EXPECT_EQ(form->Current_Tourney->Chips[4].Path, Program_Folder() + QStringLiteral("/black_chipsm.jpg"));
    Show_Chips_Page();
    EXPECT_EQ(Totals(), QStringLiteral("0 0 0 0 0 | 0"));
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Chips]\nFirst=0\nSecond=0\nThird=0\nFourth=0\nFifth=0\n"
                                              "First Value=5\nSecond Value=10\nThird Value=25\nFourth Value=50\n"
                                              "Fifth Value=100\nFirst Quanity=0\n")));
}

TEST_F(Chips_Page_Test, LineTotalsAndTheTotalFollowValuesAndQuantities)
{
    Start();
    Show_Chips_Page();
    const int quantities[] = {100, 100, 50, 20, 10};
    for (int k = 0; k < Chip_Count; ++k)
        form->Chip_Quanity[k]->setValue(quantities[k]);
    // Quantities have no change handler: they count at the next tick.
    EXPECT_EQ(Totals(), QStringLiteral("0 0 0 0 0 | 0"));
    form->Timer2Timer();
    EXPECT_EQ(Totals(), QStringLiteral("500 1000 1250 1000 1000 | 4750"));

    // Elsewhere the timer leaves the page alone; a value change counts at once.
    form->SpeedButton3->click();
    form->Chip_Quanity[0]->setValue(1);
    form->Timer2Timer();
    EXPECT_EQ(form->Chip_Total[0]->text(), QStringLiteral("500"));
    form->Chip_Value[0]->setText(QStringLiteral("7"));
    EXPECT_EQ(Totals(), QStringLiteral("7 1000 1250 1000 1000 | 4257"));

    // Saved with the page switch and shown on the Action page.
    form->SpeedButton6->click();
    EXPECT_TRUE(Trn().contains(QStringLiteral("First Value=7\n")));
    EXPECT_TRUE(Trn().contains(QStringLiteral("First Quanity=1\nSecond Quanity=100\nThird Quanity=50\n"
                                              "Fourth Quanity=20\nFifth Quanity=10\n")));
    EXPECT_EQ(form->Chip_Fixed[0]->text(), QStringLiteral("7"));
    EXPECT_EQ(form->Current_Tourney->Chips[2].Quanity, 50);
}

TEST_F(Chips_Page_Test, ValuesThatAreNotWholeNumbersCountOnScreenAndStoreZero)
{
    Start();
    Show_Chips_Page();
    // "2.5" x 4: the total uses the value as it stands ...
    form->Chip_Quanity[0]->setValue(4);
    form->Chip_Value[0]->setText(QStringLiteral("2.5"));
    EXPECT_EQ(form->Chip_Total[0]->text(), QStringLiteral("10"));
    // ... an emptied box shows 0 at once ...
    form->Chip_Quanity[1]->setValue(3);
    form->Chip_Value[1]->clear();
    EXPECT_EQ(form->Chip_Total[1]->text(), QStringLiteral("0"));
    form->Chip_Value[2]->setText(QStringLiteral("abc"));
    EXPECT_EQ(form->Total_Chips->text(), QStringLiteral("10"));
    EXPECT_TRUE(script.messages.empty());

    // ... and the page switch stores 0 for all three, shown again as "0".
    form->SpeedButton7->click();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(form->Current_Tourney->Chips[k].Value, 0);
        EXPECT_EQ(form->Chip_Value[k]->text(), QStringLiteral("0"));
        EXPECT_EQ(form->Chip_Total[k]->text(), QStringLiteral("0"));
    }
    EXPECT_TRUE(Trn().contains(QStringLiteral("First Value=0\nSecond Value=0\nThird Value=0\nFourth Value=50\n")));
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(Chips_Page_Test, QuantityTextsThatAreNotWholeNumbersCountAsZeroAndAreReset)
{
    folder.Write("Data/Default.trn", "[Chips]\nFirst Quanity=20000\nSecond Quanity=-4\nThird Quanity=7\n");
    Start();
    EXPECT_EQ(form->Chip_Quanity[0]->text(), QStringLiteral("10000"));
    EXPECT_EQ(form->Chip_Quanity[1]->text(), QStringLiteral("0"));
    Show_Chips_Page();
    EXPECT_EQ(form->Chip_Total[0]->text(), QStringLiteral("50000"));
    form->Chip_Quanity[2]->Set_Text(QStringLiteral("lots"));
    form->Timer2Timer();
    EXPECT_EQ(form->Chip_Total[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->Chip_Quanity[2]->text(), QStringLiteral("0"));
    form->SpeedButton3->click();
    EXPECT_TRUE(Trn().contains(QStringLiteral("First Quanity=10000\nSecond Quanity=0\nThird Quanity=0\n")));
}

TEST_F(Chips_Page_Test, ValuesFollowTheUsersDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Start();
    Show_Chips_Page();
    form->Chip_Quanity[0]->setValue(3);
    form->Chip_Value[0]->setText(QStringLiteral("2,5"));
    EXPECT_EQ(form->Chip_Total[0]->text(), QStringLiteral("7,5"));
    form->Chip_Value[0]->setText(QStringLiteral("2.5"));
    EXPECT_EQ(form->Chip_Total[0]->text(), QStringLiteral("0"));
    QLocale::setDefault(QLocale::c());
}

// One reading for the line total and the stored value; a line too large for
// a double does not freeze the grand total.
TEST_F(Chips_Page_Test, AValueCountsAndIsStoredAsTheSameNumber)
{
    Start();
    Show_Chips_Page();
    form->Chip_Quanity[0]->setValue(4);
    form->Chip_Value[0]->setText(QStringLiteral(" 25"));
    EXPECT_EQ(form->Chip_Total[0]->text(), QStringLiteral("100"));
    form->SpeedButton7->click();
    EXPECT_TRUE(Trn().contains(QStringLiteral("First Value=25\n")));
    EXPECT_EQ(form->Chip_Value[0]->text(), QStringLiteral("25"));

    Show_Chips_Page();
    form->Chip_Quanity[1]->setValue(10000);
    form->Chip_Value[1]->setText(QStringLiteral("1e305"));
    EXPECT_EQ(form->Chip_Total[1]->text(), QStringLiteral("INF"));
    EXPECT_EQ(form->Total_Chips->text(), QStringLiteral("INF"));
    form->Chip_Value[1]->setText(QStringLiteral("10"));
    EXPECT_EQ(form->Total_Chips->text(), QStringLiteral("100100"));
}

// Where the locale has digits of its own, the boxes show plain digits and
// read back what they show; digits typed in the locale's own script count.
TEST_F(Chips_Page_Test, SpinBoxesReadBackWhatTheyShowInALocaleWithItsOwnDigits)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    ASSERT_NE(arabic.toString(5), QStringLiteral("5")); // the locale has digits of its own
    QLocale::setDefault(arabic);
    folder.Write("Data/Default.trn", "[Chips]\nFirst Quanity=100\n[Prizes]\nTotal=100\nPrize 0=60\n");
    Start();
    EXPECT_EQ(form->Chip_Quanity[0]->text(), QStringLiteral("100"));
    EXPECT_EQ(form->Per[0]->text(), QStringLiteral("60"));
    EXPECT_EQ(form->Pay[0]->text(), QStringLiteral("60"));
    Show_Chips_Page();
    EXPECT_EQ(form->Chip_Total[0]->text(), QStringLiteral("500"));
    form->Chip_Quanity[1]->findChild<QLineEdit*>()->setText(arabic.toString(20));
    form->Timer2Timer();
    EXPECT_EQ(form->Chip_Total[1]->text(), QStringLiteral("200"));

    form->SpeedButton7->click();
    form->Per[1]->findChild<QLineEdit*>()->setText(arabic.toString(40));
    form->Timer2Timer();
    EXPECT_EQ(form->Pay[1]->text(), QStringLiteral("40"));
    form->SpeedButton3->click();
    QLocale::setDefault(QLocale::c());
    EXPECT_TRUE(Trn().contains(QStringLiteral("\nFirst Quanity=100\n")));
    EXPECT_TRUE(Trn().contains(QStringLiteral("\nSecond Quanity=20\n")));
    EXPECT_TRUE(Trn().contains(QStringLiteral("Prize 0=60\nPrize 1=40\n")));
    EXPECT_EQ(form->Chip_Quanity[1]->text(), QStringLiteral("20"));
}

TEST_F(Chips_Page_Test, NewTournamentShowsTheDefaultPicturesAtOnce)
{
    Write_Default_Chip_Pictures(Program_Folder());
    Start();
    const QStringList files = Default_Chip_Files();
    for (int k = 0; k < Chip_Count; ++k) {
        const QString path = Program_Folder() + QLatin1Char('/') + files[k];
        EXPECT_EQ(Shown(form->Chip_Image[k]), path);
        EXPECT_EQ(Shown(form->Chip_Image2[k]), path);
        // Scaled proportionally into the 86 x 65 box.
        EXPECT_EQ(form->Chip_Image[k]->pixmap().size(), QSize(86, 65));
    }
    // Every page switch loads the pictures twice; unchanged files are not decoded again.
    const int decoded = Jpeg_Decode_Count();
    form->SpeedButton6->click();
    form->SpeedButton3->click();
    EXPECT_EQ(Jpeg_Decode_Count(), decoded);
}

TEST_F(Chips_Page_Test, APictureFileReplacedUnderItsNameIsShownAfreshAndBothBoxesShareOneCopy)
{
    Start();
    const QString path = Picture("house chip.jpg", QColor(200, 30, 30));
    form->Current_Tourney->Chips[2].Path = path;
    form->Load_Chips->trigger();
    const QImage red = form->Chip_Image[2]->pixmap().toImage();
    EXPECT_GT(qRed(red.pixel(red.width() / 2, red.height() / 2)), 150);
    // The two boxes hold the same scaled copy; the decoded file is not kept.
    EXPECT_EQ(form->Chip_Image[2]->pixmap().cacheKey(), form->Chip_Image2[2]->pixmap().cacheKey());

    // A new picture under the old name is decoded again at the next load and
    // shown in both boxes.
    const int decoded = Jpeg_Decode_Count();
    Picture("house chip.jpg", QColor(30, 30, 200));
    form->Load_Chips->trigger();
    EXPECT_EQ(Jpeg_Decode_Count(), decoded + 1);
    for (const QLabel* box : {form->Chip_Image[2], form->Chip_Image2[2]}) {
        const QImage blue = box->pixmap().toImage();
        EXPECT_GT(qBlue(blue.pixel(blue.width() / 2, blue.height() / 2)), 150) << box->objectName().toStdString();
    }
    // Unchanged, it is not decoded again.
    form->Load_Chips->trigger();
    EXPECT_EQ(Jpeg_Decode_Count(), decoded + 1);
}

TEST_F(Chips_Page_Test, ChoosingAPictureStoresItsPathAndTheActionPageFollowsAtTheNextSwitch)
{
    Write_Default_Chip_Pictures(Program_Folder());
    Start();
    const QString old_path = form->Current_Tourney->Chips[1].Path;
    const QString chosen = Picture("gold chip.jpg", QColor(200, 160, 40));

    // Cancelling changes nothing.
    script.files = {QString()};
    form->Chip_Image_Btn[1]->click();
    ASSERT_EQ(script.file_dialogs.size(), 1u);
    EXPECT_EQ(script.file_dialogs[0].filter, QStringLiteral("JPEG (*.jpg)|*.jpg"));
    EXPECT_EQ(form->Current_Tourney->Chips[1].Path, old_path);
    EXPECT_EQ(Shown(form->Chip_Image[1]), old_path);

    script.files = {chosen};
    form->Chip_Image_Btn[1]->click();
    EXPECT_EQ(form->Current_Tourney->Chips[1].Path, chosen);
    EXPECT_EQ(Shown(form->Chip_Image[1]), chosen);
    EXPECT_EQ(Shown(form->Chip_Image2[1]), old_path);
    const QColor shown = form->Chip_Image[1]->pixmap().toImage().pixelColor(43, 32);
    EXPECT_LE(std::abs(shown.red() - 200) + std::abs(shown.green() - 160) + std::abs(shown.blue() - 40), 6);

    form->SpeedButton4->click();
    EXPECT_EQ(Shown(form->Chip_Image2[1]), chosen);
    EXPECT_TRUE(Trn().contains(QStringLiteral("Second Path=") + chosen + QStringLiteral("\n")));
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(Chips_Page_Test, AChosenFileThatIsNotAJpegIsRefusedWithItsReason)
{
    Write_Default_Chip_Pictures(Program_Folder());
    Start();
    const QString old_path = form->Current_Tourney->Chips[4].Path;
    const QString text = folder.Write("photo.jpg", "this is a text file");
    script.files = {text};
    form->Chip_Image_Btn[4]->click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(text));
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("Not a JPEG file")));
    EXPECT_EQ(form->Current_Tourney->Chips[4].Path, old_path);
    EXPECT_EQ(Shown(form->Chip_Image[4]), old_path);
}

TEST_F(Chips_Page_Test, MissingOrUnreadablePictureFilesLeaveBothPicturesAsTheyWere)
{
    const QString red = Picture("red.jpg", Qt::red);
    const QString blue = Picture("blue.jpg", Qt::blue);
    folder.Write("Data/Default.trn", ("[Chips]\nFirst Path=" + red + "\nSecond Path=" + blue + "\n").toUtf8());
    Start();
    EXPECT_EQ(Shown(form->Chip_Image[0]), red);
    EXPECT_EQ(Shown(form->Chip_Image2[1]), blue);

    // Another tournament names a missing file and a broken one.
    const QString broken = folder.Write("broken.jpg", QByteArray("\xFF\xD8\xFF\xE0", 4));
    folder.Write("Data/Other.trn", ("[Chips]\nFirst Path=" + folder.path() + "gone.jpg\nSecond Path=" + broken + "\n").toUtf8());
    script.files = {folder.data() + "Other.trn"};
    form->Open_Tourney->trigger();
    EXPECT_EQ(form->Current_Tourney->Name, QStringLiteral("Other.trn"));
    EXPECT_EQ(Shown(form->Chip_Image[0]), red);
    EXPECT_EQ(Shown(form->Chip_Image2[0]), red);
    EXPECT_EQ(Shown(form->Chip_Image[1]), blue);
    EXPECT_EQ(Shown(form->Chip_Image2[1]), blue);
    EXPECT_TRUE(script.messages.empty());
}

} // namespace
