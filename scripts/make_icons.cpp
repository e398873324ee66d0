// Writes the program icon as PNG files for the desktop's icon theme:
//   <output folder>/<n>x<n>/velmora.png for the usual sizes and
//   <output folder>/scalable/velmora.png at the largest size.
// Usage: make_icons <output folder>
// The pictures come from the same painter as the window icon.
#include "forms/artwork/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons <output folder>\n");
        return 2;
    }
    // Painting needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    auto write = [&out](int size, const QString& folder) {
        const QString dir = out + QLatin1Char('/') + folder;
        if (!QDir().mkpath(dir) || !Program_Icon(size).save(dir + QStringLiteral("/velmora.png"), "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(dir));
            return false;
        }
        return true;
    };
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        if (!write(size, QStringLiteral("%1x%1").arg(size)))
            return 1;
    return write(512, QStringLiteral("scalable")) ? 0 : 1;
}
