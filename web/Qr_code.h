#pragma once
// A QR code of a short text (the phone view's address), black modules on
// white with the quiet zone around them, one pixel per module: scale it with
// Qt::FastTransformation to keep the edges sharp.
#include <QImage>
#include <QString>

// A null image when the text cannot be encoded.
QImage Qr_Code(const QString& text);
