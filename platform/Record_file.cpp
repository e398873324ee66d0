#include "platform/Record_file.h"

#include "platform/Velmora_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

Record_read Read_Records(const QString& path, int record_size, int max_records)
{
    Record_read result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.ok = true;
    if (record_size <= 0 || max_records <= 0)
        return result;
    QByteArray bytes = file.read(static_cast<qint64>(record_size) * max_records);
    result.count = static_cast<int>(bytes.size() / record_size);
    bytes.truncate(static_cast<qsizetype>(result.count) * record_size);
    result.bytes = bytes;
    return result;
}

namespace {
// A file or folder whose owner may not write it is left alone, whoever runs
// the program: a read-only tournament file stays as it is even for root, who
// the system itself would let through.
bool Marked_Read_Only(const QString& path)
{
    const QFileInfo file(path);
    if (file.exists() && !(file.permissions() & QFileDevice::WriteOwner))
        return true;
    const QFileInfo folder(file.absolutePath());
    return folder.exists() && !(folder.permissions() & QFileDevice::WriteOwner);
}
} // namespace

void Write_File_Atomic(const QString& path, const QByteArray& bytes)
{
    if (Marked_Read_Only(path))
        Raise_Write_Error(path);
    // Unbuffered, so that a short write (disk full, file-size limit) shows in
    // the count written: through QFileDevice's buffer a partly flushed file
    // can still pass commit() and replace the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Raise_Write_Error(path);
    qint64 done = 0;
    while (done < bytes.size()) {
        qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            file.cancelWriting();
            Raise_Write_Error(path);
        }
        done += n;
    }
    if (!file.commit())
        Raise_Write_Error(path);
}
