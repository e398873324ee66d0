// Paints the pictures that must exist as files and writes them as JPEG:
//   <program folder>/white_chipsm.jpg ... black_chipsm.jpg  the default chip set;
//   <program folder>/logo.jpg                             the reports' logo (the
//                                                         program writes the same
//                                                         picture into Reports/ when
//                                                         none is there).
// Usage: make_pictures <program folder>
// Built from the program's own artwork code; runs during the build.
#include "forms/artwork/Artwork.h"
#include "forms/artwork/Picture_files.h"
#include "platform/Jpeg_image.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <program folder>\n");
        return 2;
    }
    // The lettering of the logo needs the font machinery; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        Write_Default_Chip_Pictures(folder);
        Write_Jpeg(folder + QStringLiteral("/logo.jpg"), Report_Logo(), 92);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
