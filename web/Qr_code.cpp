#include "web/Qr_code.h"

#include <qrencode.h>

#include <memory>

QImage Qr_Code(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code)
        return {};
    constexpr int Quiet = 4;   // modules of white around the code, as readers expect
    const int n = code->width;
    QImage image(n + 2 * Quiet, n + 2 * Quiet, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (code->data[y * n + x] & 1)
                image.setPixel(x + Quiet, y + Quiet, qRgb(0, 0, 0));
    return image;
}
