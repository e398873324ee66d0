#include "forms/widgets/Fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>

namespace {

const char* const Tahoma_Files[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

bool loaded[2] = {false, false}; // regular, bold
QString tahoma_family;

void Load_Font_File(int which)
{
    if (loaded[which])
        return;
    loaded[which] = true;
    const QString path = QString::fromLatin1(Tahoma_Files[which]);
    if (!QFileInfo::exists(path))
        return;
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        return;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (tahoma_family.isEmpty() && families.contains(QStringLiteral("Tahoma")))
        tahoma_family = QStringLiteral("Tahoma");
}

} // namespace

void Load_Regular_Program_Font() { Load_Font_File(0); }

void Load_Program_Fonts()
{
    Load_Font_File(0);
    Load_Font_File(1);
}

QString Program_Font_Family()
{
    Load_Regular_Program_Font();
    return tahoma_family.isEmpty() ? QStringLiteral("DejaVu Sans") : tahoma_family;
}

QFont Program_Font(int point_size)
{
    QFont font(Program_Font_Family(), point_size);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
