#include "platform/Jpeg_image.h"

#include "platform/Record_file.h"
#include "platform/Velmora_error.h"

#include <QFile>
#include <QHash>

#include <sys/stat.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// Larger files and pictures are refused rather than filling the memory: a
// chip picture is shown at about 86 x 65 pixels.
const qint64 Max_File_Bytes = 64 * 1024 * 1024;
const unsigned long long Max_Pixels = 64ull * 1024 * 1024;

// libjpeg's own handler ends the process on an error. This one formats the
// message and jumps back to the setjmp of the running decode or encode.
struct Error_Manager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void Jpeg_Error_Exit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<Error_Manager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings: a file that ends before its picture does is an error (libjpeg
// would pad it with grey); other warnings and trace messages are dropped.
extern "C" void Jpeg_Emit_Message(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        Jpeg_Error_Exit(cinfo);
}

void Install(Error_Manager* err, jpeg_error_mgr** slot)
{
    *slot = jpeg_std_error(&err->pub);
    err->pub.error_exit = Jpeg_Error_Exit;
    err->pub.emit_message = Jpeg_Emit_Message;
    err->message[0] = '\0';
}

// The decoder's output: rows of `components` bytes per pixel, malloc'ed.
struct Decoded {
    unsigned char* pixels;
    unsigned width;
    unsigned height;
    int components; // 1 grey, 3 RGB, 4 CMYK or 32-bit RGB
    bool inverted;  // CMYK stored inverted (Adobe)
    bool rgb32;     // colour already laid out as QImage::Format_RGB32
};

// Runs libjpeg over the bytes. Only plain C data lives in this frame, so the
// jump back from an error skips no destructor. On failure err->message says
// why; out->pixels may hold a buffer the caller frees.
bool Decode(const unsigned char* data, unsigned long size, Decoded* out, Error_Manager* err)
{
    jpeg_decompress_struct cinfo;
    Install(err, &cinfo.err);
    out->pixels = nullptr;
    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    out->rgb32 = false;
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        break;
    default:
#ifdef JCS_EXTENSIONS
        // Straight into the layout a picture on screen uses, so neither this
        // code nor the window system converts it again.
        cinfo.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        out->rgb32 = true;
#else
        cinfo.out_color_space = JCS_RGB;
#endif
        break;
    }
    out->inverted = cinfo.saw_Adobe_marker != 0;
    jpeg_start_decompress(&cinfo);
    out->width = cinfo.output_width;
    out->height = cinfo.output_height;
    out->components = cinfo.output_components;
    const unsigned long long pixels = static_cast<unsigned long long>(out->width) * out->height;
    if (pixels == 0 || pixels > Max_Pixels) {
        std::snprintf(err->message, sizeof err->message, "the picture is too large (%u x %u)", out->width,
                      out->height);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const size_t row_bytes = static_cast<size_t>(out->width) * static_cast<size_t>(out->components);
    out->pixels = static_cast<unsigned char*>(std::malloc(row_bytes * out->height));
    if (out->pixels == nullptr) {
        std::snprintf(err->message, sizeof err->message, "not enough memory");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->pixels + row_bytes * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// Takes over d.pixels when the picture can use the buffer as it is.
QImage To_Image(Decoded& d)
{
    const int w = static_cast<int>(d.width);
    const int h = static_cast<int>(d.height);
    const size_t row_bytes = static_cast<size_t>(d.width) * static_cast<size_t>(d.components);
    if (d.rgb32) {
        QImage img(d.pixels, w, h, static_cast<qsizetype>(row_bytes), QImage::Format_RGB32, &std::free, d.pixels);
        if (!img.isNull())
            d.pixels = nullptr;
        return img;
    }
    if (d.components == 1 || d.components == 3) {
        QImage img(w, h, d.components == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        if (img.isNull())
            return img;
        for (int y = 0; y < h; ++y)
            std::memcpy(img.scanLine(y), d.pixels + row_bytes * static_cast<size_t>(y), row_bytes);
        return img;
    }
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull())
        return img;
    for (int y = 0; y < h; ++y) {
        const unsigned char* s = d.pixels + row_bytes * static_cast<size_t>(y);
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x, s += 4) {
            int c = s[0], m = s[1], ye = s[2], k = s[3];
            if (!d.inverted) {
                c = 255 - c;
                m = 255 - m;
                ye = 255 - ye;
                k = 255 - k;
            }
            row[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
        }
    }
    return img;
}

[[noreturn]] void Raise_Read_Error(const QString& path, const QString& reason)
{
    throw Velmora_Error(QStringLiteral("The picture %1 cannot be read: %2").arg(path, reason));
}

QImage Decode_Bytes(const QByteArray& bytes, const QString& name)
{
    Error_Manager err;
    Decoded d{};
    const bool ok = Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                           static_cast<unsigned long>(bytes.size()), &d, &err);
    QImage img;
    if (ok)
        img = To_Image(d);
    std::free(d.pixels);
    if (!ok)
        Raise_Read_Error(name, QString::fromLocal8Bit(err.message));
    if (img.isNull())
        Raise_Read_Error(name, QStringLiteral("not enough memory"));
    return img;
}

QImage Decode_File(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Raise_Read_Error(path, file.errorString());
    if (file.size() > Max_File_Bytes)
        Raise_Read_Error(path, QStringLiteral("the file is too large"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Raise_Read_Error(path, file.errorString());
    return Decode_Bytes(bytes, path);
}

// What tells a changed file: its size and modification time (nanoseconds).
// Read with one stat() call, no time-zone work: Load_Chips asks for ten
// pictures on every page switch.
struct Fingerprint {
    long long size = -1;
    long long modified_ns = 0;
    bool operator==(const Fingerprint&) const = default;
};

bool Take_Fingerprint(const QString& path, Fingerprint& f)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    f.size = static_cast<long long>(st.st_size);
    f.modified_ns = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return true;
}

struct Cache_Entry {
    Fingerprint file;
    QImage image;
    QString error; // the failure's text when the file could not be read
};

QHash<QString, Cache_Entry>& Cache()
{
    static QHash<QString, Cache_Entry> cache;
    return cache;
}

const int Max_Cached = 64;
int decode_count = 0;

// Compresses RGB rows into a malloc'ed buffer; plain C data only, as in Decode.
bool Encode(const unsigned char* rgb, int width, int height, qsizetype stride, int quality, unsigned char** buffer,
            unsigned long* size, Error_Manager* err)
{
    jpeg_compress_struct cinfo;
    Install(err, &cinfo.err);
    if (setjmp(err->jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // Full colour resolution: small pictures with sharp coloured edges.
    cinfo.comp_info[0].h_samp_factor = 1;
    cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + stride * static_cast<qsizetype>(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

QImage Read_Jpeg(const QString& path)
{
    Fingerprint file;
    if (!Take_Fingerprint(path, file))
        Raise_Read_Error(path, QStringLiteral("the file does not exist"));

    QHash<QString, Cache_Entry>& cache = Cache();
    const auto hit = cache.constFind(path);
    if (hit != cache.constEnd() && hit->file == file) {
        if (!hit->error.isEmpty())
            throw Velmora_Error(hit->error);
        return hit->image;
    }

    if (cache.size() >= Max_Cached)
        cache.clear();
    Cache_Entry entry;
    entry.file = file;
    ++decode_count;
    try {
        entry.image = Decode_File(path);
    } catch (const Velmora_Error& e) {
        entry.error = e.text();
        cache.insert(path, entry);
        throw;
    }
    cache.insert(path, entry);
    return entry.image;
}

void Write_Jpeg(const QString& path, const QImage& image, int quality)
{
    if (image.isNull())
        throw Velmora_Error(QStringLiteral("There is no picture to write to %1").arg(path));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Error_Manager err;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Encode(rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(),
                           qBound(1, quality, 100), &buffer, &size, &err);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!ok)
        throw Velmora_Error(QStringLiteral("The picture %1 cannot be written: %2")
                                .arg(path, QString::fromLocal8Bit(err.message)));
    Write_File_Atomic(path, bytes);
}

int Jpeg_Decode_Count() { return decode_count; }

QImage Decode_Jpeg(const QByteArray& bytes, const QString& name) { return Decode_Bytes(bytes, name); }

void Clear_Jpeg_Cache() { Cache().clear(); }

QString Jpeg_File_Stamp(const QString& path)
{
    Fingerprint file;
    if (!Take_Fingerprint(path, file))
        return QString();
    return QStringLiteral("%1:%2").arg(file.size).arg(file.modified_ns);
}

void Forget_Jpeg(const QString& path)
{
    QHash<QString, Cache_Entry>& cache = Cache();
    const auto hit = cache.find(path);
    if (hit != cache.end() && hit->error.isEmpty())
        cache.erase(hit);
}
