// JPEG pictures: whatever a chosen picture file holds, reading it either gives
// a picture or raises an error naming the file; it never ends the program. A
// picture that was read, written again and read back has the same size.
#include "Fuzz_support.h"

#include "platform/Jpeg_image.h"
#include "platform/Velmora_error.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    Fuzz_Set_Up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Data_Folder() + QStringLiteral("chip.jpg");
    Fuzz_Put_File(path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    // Each input is a new file, whatever its size and time stamp.
    Clear_Jpeg_Cache();
    QImage picture;
    try {
        picture = Read_Jpeg(path);
    } catch (const Velmora_Error& e) {
        FUZZ_CHECK(QString::fromLocal8Bit(e.what()).contains(path));
        return 0;
    }
    FUZZ_CHECK(!picture.isNull() && picture.width() > 0 && picture.height() > 0);
    const QString copy = Data_Folder() + QStringLiteral("copy.jpg");
    Write_Jpeg(copy, picture, 90);
    Clear_Jpeg_Cache();
    FUZZ_CHECK(Read_Jpeg(copy).size() == picture.size());
    return 0;
}
