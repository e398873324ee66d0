#include "forms/artwork/Picture_files.h"

#include "forms/artwork/Artwork.h"
#include "platform/Jpeg_image.h"

#include <QDir>
#include <QFileInfo>

namespace {
const int Picture_Quality = 92;

QString In_Folder(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}
} // namespace

QStringList Default_Chip_Files()
{
    return {QStringLiteral("white_chipsm.jpg"), QStringLiteral("red_chipsm.jpg"), QStringLiteral("blue_chipsm.jpg"),
            QStringLiteral("green_chipsm.jpg"), QStringLiteral("black_chipsm.jpg")};
}

void Write_Default_Chip_Pictures(const QString& folder)
{
    const QStringList files = Default_Chip_Files();
    const Chip_Colour colours[] = {Chip_Colour::White, Chip_Colour::Red, Chip_Colour::Blue, Chip_Colour::Green,
                                   Chip_Colour::Black};
    for (int k = 0; k < files.size(); ++k)
        Write_Jpeg(In_Folder(folder, files[k]), Chip_Picture(colours[k]), Picture_Quality);
}

void Ensure_Report_Logo(const QString& reports_folder)
{
    const QString path = In_Folder(reports_folder, QStringLiteral("logo.jpg"));
    if (QFileInfo::exists(path))
        return;
    QDir().mkpath(reports_folder);
    Write_Jpeg(path, Report_Logo(), Picture_Quality);
}
