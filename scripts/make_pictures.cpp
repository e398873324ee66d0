// Paints the pictures that must exist as files and writes them as JPEG:
//   <program folder>/white_chipsm.jpg ... black_chipsm.jpg  the default chip set;
//   <program folder>/logo.jpg                             the reports' logo (the
//                                                         program writes the same
//                                                         picture into Reports/ when
//                                                         none is there).
//   <program folder>/painted/splash.jpg, icon_<size>.png  the splash artwork and
//                                                         the window icon, compiled
//                                                         into the program so that it
//                                                         starts without painting them.
// Usage: make_pictures <program folder>
// Built from the program's own artwork code; runs during the build.
#include "forms/artwork/Artwork.h"
#include "forms/widgets/Fonts.h"
#include "forms/dialogs/Splash_screen.h"
#include "forms/artwork/Picture_files.h"
#include "platform/Jpeg_image.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <program folder>\n");
        return 2;
    }
    // The lettering of the logo needs the font machinery; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The artwork is lettered in the program's own fonts.
    Load_Program_Fonts();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        Write_Default_Chip_Pictures(folder);
        Write_Jpeg(folder + QStringLiteral("/logo.jpg"), Report_Logo(), 92);
        const QString painted = folder + QStringLiteral("/painted/");
        QDir().mkpath(painted);
        // A JPEG unpacks several times faster than a PNG of the same picture.
        Write_Jpeg(painted + QStringLiteral("splash.jpg"), Title_Artwork(Splash_Artwork_Size()), 95);
        for (int size : Window_Icon_Sizes())
            if (!Program_Icon(size).save(painted + QStringLiteral("icon_%1.png").arg(size)))
                throw std::runtime_error("cannot write the icon of size " + std::to_string(size));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
