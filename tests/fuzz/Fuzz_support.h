#pragma once
// Shared by the libFuzzer targets: a private program folder (in memory when
// /dev/shm exists, so the file syncs of every save cost nothing), a raw file
// writer, and the check that stops the run on a broken promise.
#include "platform/Program_folder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// A broken promise is a finding: say which, and stop with a crash the fuzzer
// records together with the input.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

inline const QTemporaryDir& Fuzz_Folder()
{
    static const QTemporaryDir folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return QTemporaryDir(base + QStringLiteral("/velmora-fuzz-XXXXXX"));
    }();
    return folder;
}

// Points the program folder at the private folder and makes its Data/.
inline void Fuzz_Set_Up()
{
    Set_Program_Folder(Fuzz_Folder().path());
    QDir().mkpath(Data_Folder());
}

// Puts the bytes into the file as they are (no atomic write: this is the
// outside world handing the program a file).
inline void Fuzz_Put_File(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes);
}
