#include "forms/Fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>

namespace {

const char* const Tahoma_Files[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

bool fonts_loaded = false;
QString tahoma_family;

} // namespace

void Load_Program_Fonts()
{
    if (fonts_loaded)
        return;
    fonts_loaded = true;
    for (const char* file : Tahoma_Files) {
        const QString path = QString::fromLatin1(file);
        if (!QFileInfo::exists(path))
            continue;
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0)
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (tahoma_family.isEmpty() && families.contains(QStringLiteral("Tahoma")))
            tahoma_family = QStringLiteral("Tahoma");
    }
}

QString Program_Font_Family()
{
    Load_Program_Fonts();
    return tahoma_family.isEmpty() ? QStringLiteral("DejaVu Sans") : tahoma_family;
}

QFont Program_Font(int point_size)
{
    QFont font(Program_Font_Family(), point_size);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
