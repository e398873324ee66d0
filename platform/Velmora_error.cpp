#include "platform/Velmora_error.h"

Velmora_Error::Velmora_Error(const QString& text)
    : std::runtime_error(text.toLocal8Bit().toStdString()) {}

void Raise_Write_Error(const QString& path)
{
    throw Velmora_Error(QStringLiteral("Unable to write to %1").arg(path));
}

void Raise_Read_Error(const QString& path)
{
    throw Velmora_Error(QStringLiteral("Unable to read %1").arg(path));
}
