#include "platform/Text_lines.h"

#include "platform/Record_file.h"
#include "platform/Velmora_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString Decode_8Bit(const char* bytes, qsizetype size)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes, size));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes, size);
    return text;
}

QStringList Split_Lines(const QByteArray& bytes)
{
    qsizetype end = bytes.indexOf('\0');
    if (end < 0)
        end = bytes.size();
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << Decode_8Bit(bytes.constData() + start, i - start);
            ++i;
            if (c == '\r' && i < end && bytes[i] == '\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < end) // text after the last break; a final break adds nothing
        lines << Decode_8Bit(bytes.constData() + start, end - start);
    return lines;
}

QByteArray Read_Whole_File(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Velmora_Error(QStringLiteral("Unable to read %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Velmora_Error(QStringLiteral("Unable to read %1: %2").arg(path, file.errorString()));
    return bytes;
}

QStringList Read_Lines(const QString& path)
{
    return Split_Lines(Read_Whole_File(path));
}

QStringList Read_Playlist_Songs(const QString& playlist_path)
{
    const QDir folder = QFileInfo(playlist_path).absoluteDir();
    QStringList songs;
    for (const QString& line : Read_Lines(playlist_path)) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        songs << (QFileInfo(line).isRelative() ? folder.filePath(line) : line);
    }
    return songs;
}

void Write_Lines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    Write_File_Atomic(path, bytes);
}

QString File_Name_Part(const QString& path)
{
    // Only '/' separates folders here: ':' and '\\' are ordinary characters of
    // a Linux file name ("Game 1: Friday.trn").
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString File_Extension(const QString& path)
{
    const QString name = File_Name_Part(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

std::optional<int32_t> Whole_Number(const QString& text)
{
    qsizetype i = 0;
    if (!text.isEmpty() && (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-')))
        i = 1;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < QLatin1Char('0') || text[k] > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}
