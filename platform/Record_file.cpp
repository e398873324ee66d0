#include "platform/Record_file.h"

#include "platform/Program_folder.h"
#include "platform/Velmora_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const Temporary_Marker = ".velmora-tmp-";

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

// The same rule for reading: a file its owner may not read counts as
// unreadable even for root.
bool Unreadable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (!info.isFile() || !(info.permissions() & QFileDevice::ReadOwner))
        return true;
    QFile file(path);
    return !file.open(QIODevice::ReadOnly);
}

bool Write_All(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// Opens a fresh temporary file beside the target; -1 when none can be made.
int Open_Temporary(const QString& target, mode_t mode, QByteArray& name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = QFile::encodeName(target) + Temporary_Marker +
               QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Syncs the folder so that a rename in it survives a power cut.
void Sync_Folder(const QByteArray& folder)
{
    int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

Record_read Read_Records(const QString& path, int record_size, int max_records)
{
    Record_read result;
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    if (Unreadable(path))
        Raise_Read_Error(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Raise_Read_Error(path);
    result.ok = true;
    if (record_size <= 0 || max_records <= 0)
        return result;
    QByteArray bytes = file.read(static_cast<qint64>(record_size) * max_records);
    if (file.error() != QFileDevice::NoError)
        Raise_Read_Error(path);
    result.count = static_cast<int>(bytes.size() / record_size);
    bytes.truncate(static_cast<qsizetype>(result.count) * record_size);
    result.bytes = bytes;
    return result;
}

void Write_File_Atomic(const QString& path, const QByteArray& bytes)
{
    if (Marked_Read_Only(path))
        Raise_Write_Error(path);
    QFileInfo info(path);
    if (info.isSymLink())
        info = QFileInfo(info.symLinkTarget()); // the link stays, its target is replaced
    if (info.isDir())
        Raise_Write_Error(path);
    const QString target = info.absoluteFilePath();

    // An existing file keeps its permissions; a new one gets the usual ones.
    struct stat old_state {};
    const QByteArray target_name = QFile::encodeName(target);
    const bool existed = ::stat(target_name.constData(), &old_state) == 0;
    const mode_t mode = existed ? (old_state.st_mode & 07777) : 0666;

    QByteArray temporary;
    int fd = Open_Temporary(target, mode, temporary);
    if (fd < 0)
        Raise_Write_Error(path);
    bool ok = Write_All(fd, bytes.constData(), bytes.size());
    if (ok && existed)
        ok = ::fchmod(fd, mode) == 0 || errno == EPERM;
    if (ok)
        ok = ::fdatasync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.constData(), target_name.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        Raise_Write_Error(path);
    }
    Sync_Folder(QFile::encodeName(info.absolutePath()));
}

void Write_Record_File(const QString& path, const QByteArray& bytes)
{
    if (Unreadable(path))
        Raise_Write_Error(path);
    Write_File_Atomic(path, bytes);
}

bool Is_Temporary_Name(const QString& file_name)
{
    return file_name.contains(QLatin1String(Temporary_Marker));
}

int Remove_Temporary_Leftovers(const QString& folder)
{
    // The names are checked here rather than by a name filter, which would
    // pull in the regular-expression engine at every start.
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    int removed = 0;
    for (const QString& name : names)
        if (Is_Temporary_Name(name) && QFile::remove(QDir(folder).filePath(name)))
            ++removed;
    return removed;
}

void Remove_Start_Up_Leftovers()
{
    Remove_Temporary_Leftovers(Data_Folder());
    Remove_Temporary_Leftovers(Reports_Folder());
    Remove_Temporary_Leftovers(QFileInfo(Settings_Path()).absolutePath());
}
