#include "platform/Version_info.h"

QString Version_Value(const QString& name)
{
    if (name == QLatin1String("ProductName"))
        return QStringLiteral(VELMORA_PRODUCT_NAME);
    if (name == QLatin1String("ProductVersion"))
        return QStringLiteral(VELMORA_PRODUCT_VERSION);
    if (name == QLatin1String("LegalCopyright"))
        return QStringLiteral(VELMORA_COPYRIGHT);
    return QString();
}
