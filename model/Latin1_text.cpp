#include "model/Latin1_text.h"

#include <QList>

QString Non_Latin1_Characters(const QString& text)
{
    QList<char32_t> found;
    for (const char32_t c : text.toUcs4())
        if (c > 0xFF && !found.contains(c))
            found << c;
    QStringList shown;
    for (const char32_t c : found)
        shown << QString::fromUcs4(&c, 1);
    return shown.join(QLatin1Char(' '));
}

QString Latin1_Refusal(const QString& what, const QString& text)
{
    const QString characters = Non_Latin1_Characters(text);
    if (characters.isEmpty())
        return QString();
    return QStringLiteral("The %1 \"%2\" holds characters that cannot be stored: %3\n"
                          "Only Western European (Latin-1) letters, digits and signs can be stored; "
                          "please write it without them.")
        .arg(what, text, characters);
}
