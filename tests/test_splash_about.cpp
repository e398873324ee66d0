// The splash screen, the About box and the title artwork they show.
#include "support/Scripted_host.h"

#include "forms/dialogs/About_box.h"
#include "forms/widgets/Fonts.h"
#include "forms/dialogs/Splash_screen.h"
#include "forms/artwork/Artwork.h"
#include "platform/Version_info.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int Luminance(QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; }

int Distinct_Colours(const QImage& img)
{
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            colours.insert(img.pixel(x, y));
    return int(colours.size());
}

// Pixels inside the rectangle that are nearly white.
int White_Pixels(const QImage& img, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) > 200 && qBlue(img.pixel(x, y)) > 200)
                ++count;
    return count;
}

void Expect_Centred_On_Screen(const QWidget& w, QScreen* screen)
{
    ASSERT_NE(screen, nullptr);
    const QPoint centre = w.frameGeometry().center();
    const QPoint expected = screen->availableGeometry().center();
    EXPECT_LE(std::abs(centre.x() - expected.x()), 1);
    EXPECT_LE(std::abs(centre.y() - expected.y()), 1);
}

// Runs the real modal loop (the program's own host) and gives up after a
// few seconds so a splash that never closes fails instead of hanging.
int Show_With_Real_Loop(QDialog& dialog)
{
    Set_Host(nullptr);
    QTimer::singleShot(3000, &dialog, [&dialog] { dialog.done(-99); });
    return host().Show_Modal(&dialog);
}

} // namespace

TEST(Splash, window_labels_and_texts)
{
    TSplash splash;
    EXPECT_EQ(Splash, &splash);
    EXPECT_EQ(splash.objectName(), QStringLiteral("Splash"));
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("Velmora Home Edition"));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.minimumSize(), QSize(700, 453));
    EXPECT_EQ(splash.maximumSize(), QSize(700, 453));

    ASSERT_NE(splash.Image1, nullptr);
    EXPECT_EQ(splash.Image1->geometry(), QRect(0, 0, 700, 453));
    EXPECT_EQ(splash.Image1->pixmap().size(), QSize(700, 453));

    EXPECT_EQ(splash.Version->objectName(), QStringLiteral("Version"));
    EXPECT_EQ(splash.Version->pos(), QPoint(168, 387));
    EXPECT_EQ(splash.Version->text(), QStringLiteral("Version: 1.0.0.6"));
    EXPECT_EQ(splash.Copyright->pos(), QPoint(168, 406));
    EXPECT_FALSE(splash.Copyright->text().isEmpty());
    EXPECT_EQ(splash.Copyright->text(), Version_Value(QStringLiteral("LegalCopyright")));
    for (QLabel* label : {splash.Version, splash.Copyright}) {
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_FALSE(label->autoFillBackground());
        EXPECT_EQ(label->font().family(), Program_Font_Family());
        EXPECT_EQ(label->font().pointSize(), 8);
        // The whole text fits and stays inside the window.
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_TRUE(QRect(0, 0, 700, 453).contains(label->geometry()));
    }
}

TEST(Splash, version_lines_are_drawn_white_over_dark_artwork)
{
    TSplash splash;
    const QImage shown = splash.grab().toImage();
    const QImage artwork = splash.Image1->pixmap().toImage();
    for (QLabel* label : {splash.Version, splash.Copyright}) {
        const QRect area = label->geometry();
        EXPECT_EQ(White_Pixels(artwork, area), 0) << label->objectName().toStdString();
        // The label's white text lies over the picture, not under it.
        EXPECT_GT(White_Pixels(shown, area), 10) << label->objectName().toStdString();
    }
}

TEST(Splash, timer_closes_the_modal_showing_after_five_seconds)
{
    {
        TSplash splash;
        EXPECT_EQ(splash.Timer1->objectName(), QStringLiteral("Timer1"));
        EXPECT_EQ(splash.Timer1->interval(), 5000);
        EXPECT_TRUE(splash.Timer1->isSingleShot());
        EXPECT_TRUE(splash.Timer1->isActive());
        EXPECT_GE(splash.Timer1->remainingTime(), 4000);

        // Shortened so the test does not wait five seconds; the real modal
        // loop must stay open until the timer fires and then end by itself.
        splash.Timer1->start(60);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(Show_With_Real_Loop(splash), int(QDialog::Accepted));
        EXPECT_GE(clock.elapsed(), 50);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_FALSE(splash.Timer1->isActive());
    }
    EXPECT_EQ(Splash, nullptr);
}

TEST(Splash, is_centred_on_the_desktop_even_with_an_owner)
{
    QWidget owner;
    owner.setGeometry(0, 0, 300, 200);
    owner.show();
    TSplash splash(&owner);
    splash.show();
    Expect_Centred_On_Screen(splash, QGuiApplication::primaryScreen());
    EXPECT_TRUE(splash.isWindow());
}

TEST(About_Box, shows_name_version_and_copyright_one_under_the_other)
{
    TAboutBox about;
    EXPECT_EQ(about.objectName(), QStringLiteral("AboutBox"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about.minimumSize(), QSize(402, 386));
    EXPECT_EQ(about.maximumSize(), QSize(402, 386));
    EXPECT_EQ(about.font().pointSize(), 8);

    EXPECT_EQ(about.ProductName->text(), QStringLiteral("Velmora Home Edition"));
    EXPECT_EQ(about.Version->text(), QStringLiteral("Version: 1.0.0.6"));
    EXPECT_EQ(about.Copyright->text(), Version_Value(QStringLiteral("LegalCopyright")));

    // Picture, then the three lines, each below the one before, all in Panel1.
    const QWidget* previous = about.ProgramIcon;
    for (QLabel* label : {about.ProductName, about.Version, about.Copyright}) {
        EXPECT_EQ(label->parentWidget(), about.Panel1);
        EXPECT_GT(label->geometry().top(), previous->geometry().bottom());
        EXPECT_TRUE(about.Panel1->rect().contains(label->geometry()));
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        previous = label;
    }
    EXPECT_TRUE(QRect(0, 0, 402, 386).contains(about.Panel1->geometry()));
    EXPECT_GT(about.OKButton->geometry().top(), about.Panel1->geometry().bottom());

    // The picture fits 369 x 201 and keeps its proportions.
    const QSize picture = about.ProgramIcon->pixmap().size();
    EXPECT_EQ(about.ProgramIcon->parentWidget(), about.Panel1);
    EXPECT_TRUE(picture.width() == 369 || picture.height() == 201);
    EXPECT_LE(picture.width(), 369);
    EXPECT_LE(picture.height(), 201);
    EXPECT_FALSE(about.ProgramIcon->pixmap().toImage().allGray());

    EXPECT_EQ(about.OKButton->text(), QStringLiteral("OK"));
    EXPECT_TRUE(about.OKButton->isDefault());
}

TEST(About_Box, closes_with_ok_or_enter_and_can_be_shown_again)
{
    Scripted_Host script;
    TAboutBox about;
    // A script result of -1 would be the modal result only if the box stayed open.
    script.modal_scripts[QStringLiteral("AboutBox")] = [](QDialog* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
        return -1;
    };
    EXPECT_EQ(host().Show_Modal(&about), int(QDialog::Accepted));
    EXPECT_FALSE(about.isVisible());

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        script.modal_scripts[QStringLiteral("AboutBox")] = [key](QDialog* d) {
            QTest::keyClick(d, key);
            return -1;
        };
        EXPECT_EQ(host().Show_Modal(&about), int(QDialog::Accepted)) << key;
        EXPECT_FALSE(about.isVisible());
    }
    // Hidden, not destroyed: the same texts on every showing.
    EXPECT_EQ(script.modals_shown.count(QStringLiteral("AboutBox")), 3);
    EXPECT_EQ(about.Version->text(), QStringLiteral("Version: 1.0.0.6"));
}

TEST(About_Box, is_centred_on_the_screen)
{
    TAboutBox about;
    about.show();
    Expect_Centred_On_Screen(about, QGuiApplication::primaryScreen());
}

TEST(Title_Art, splash_picture_is_full_size_detailed_and_dark_under_the_version_lines)
{
    const QImage art = Title_Artwork();
    ASSERT_EQ(art.size(), QSize(700, 453));
    EXPECT_GT(Distinct_Colours(art), 2000);

    // Where the white version and copyright lines go the picture stays dark.
    long sum = 0;
    int n = 0;
    int brightest = 0;
    for (int y = 385; y < 422; ++y)
        for (int x = 168; x < 420; ++x) {
            const int l = Luminance(art.pixel(x, y));
            sum += l;
            brightest = std::max(brightest, l);
            ++n;
        }
    EXPECT_LT(sum / n, 50);
    EXPECT_LT(brightest, 110);

    // The gold title is really drawn: bright warm pixels in the title's band.
    int gold = 0;
    for (int y = 120; y < 230; ++y)
        for (int x = 30; x < 400; ++x) {
            const QRgb c = art.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) > 150 && qBlue(c) < 140)
                ++gold;
        }
    EXPECT_GT(gold, 1000);
}

TEST(Title_Art, renders_at_other_sizes_and_scales_proportionally)
{
    const QImage about = About_Artwork();
    EXPECT_EQ(about.size(), QSize(369, 201));
    EXPECT_GT(Distinct_Colours(about), 1000);
    EXPECT_EQ(Title_Artwork(QSize(350, 226)).size(), QSize(350, 226));
    EXPECT_TRUE(Title_Artwork(QSize(0, 0)).isNull());

    // The splash picture put into the About box's picture frame.
    const QImage fitted = Scaled_Into(Title_Artwork(), QSize(369, 201));
    EXPECT_EQ(fitted.height(), 201);
    EXPECT_NEAR(double(fitted.width()) / fitted.height(), 700.0 / 453.0, 0.01);
    const QImage wide = Scaled_Into(about, QSize(100, 100));
    EXPECT_EQ(wide.width(), 100);
    EXPECT_NEAR(double(wide.width()) / wide.height(), 369.0 / 201.0, 0.03);
    EXPECT_TRUE(Scaled_Into(QImage(), QSize(10, 10)).isNull());
}

TEST(Fonts, tahoma_is_used_when_the_font_file_is_present)
{
    Load_Program_Fonts();
    Load_Program_Fonts();   // a second call changes nothing
    const bool have_tahoma = QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    EXPECT_EQ(Program_Font_Family(), have_tahoma ? QStringLiteral("Tahoma") : QStringLiteral("DejaVu Sans"));
    // The family really resolves to that font, not to a substitute.
    const QFont font = Program_Font(8);
    EXPECT_EQ(QFontInfo(font).family(), Program_Font_Family());
    EXPECT_EQ(font.pointSize(), 8);
}
