#pragma once
// The painting tools shared by the artwork files: soft edges, the four suits,
// the serif lettering, the fanned cards, chips and their stacks, the felt of
// the table. Internal to forms/artwork/; other code uses Artwork.h.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

class QPainter;

namespace Artwork {

// ---- soft edges (Soft_edges.cpp)

// Fills the path with a colour whose edge is blurred by about `blur` logical
// pixels: drop shadows, glows, the light on the rail.
void Soft_Fill(QPainter& p, const QPainterPath& path, qreal blur, const QColor& colour);
void Soft_Shadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, const QColor& colour);

// ---- suits and cards (Cards.cpp)

enum class Suit { Spade, Heart, Diamond, Club };

// Each suit fits a unit box centred on the origin.
QPainterPath Suit_Path(Suit suit);
bool Is_Red(Suit suit);
QColor Suit_Colour(Suit suit);
// The suit, `size` high, centred on `centre`.
QPainterPath Placed_Suit(Suit suit, QPointF centre, qreal size);
void Paint_Suit(QPainter& p, Suit suit, QPointF centre, qreal size);

struct Fan {
    QPointF pivot;   // the point the cards turn about, below the cards
    qreal card_width;
    qreal spread;    // degrees between neighbouring cards
    qreal tilt;      // degrees the whole fan leans to the right
};
// A royal flush in spades, fanned about the pivot.
void Paint_Fan(QPainter& p, const Fan& fan);

// ---- lettering (Title.cpp)

QFont Serif_Font(qreal pixel_size, bool bold, bool italic);
// A text as a path whose ink is centred horizontally on x, with its baseline at y.
QPainterPath Centred_Text(const QString& text, const QFont& font, qreal x, qreal baseline, qreal spacing = 0);
// The gold "Velmora" with the suits above and "HOME EDITION" beneath,
// centred on the baseline point `centre`.
void Paint_Title(QPainter& p, QPointF centre, qreal size);

// ---- chips (Chips.cpp)

struct Chip_Colours {
    QColor body;
    QColor insert;
    QColor inlay;
};

inline const Chip_Colours White_Chip{QColor(0xe9, 0xe6, 0xdc), QColor(0x1f, 0x4f, 0xa8), QColor(0xfb, 0xf8, 0xf0)};
inline const Chip_Colours Red_Chip{QColor(0xb0, 0x16, 0x1e), QColor(0xf4, 0xf0, 0xe6), QColor(0xf3, 0xe9, 0xd2)};
inline const Chip_Colours Blue_Chip{QColor(0x17, 0x3f, 0x9c), QColor(0xf4, 0xf0, 0xe6), QColor(0xf3, 0xe9, 0xd2)};
inline const Chip_Colours Green_Chip{QColor(0x16, 0x73, 0x3a), QColor(0xf4, 0xf0, 0xe6), QColor(0xf3, 0xe9, 0xd2)};
inline const Chip_Colours Black_Chip{QColor(0x1d, 0x1d, 0x22), QColor(0xd8, 0xb0, 0x4c), QColor(0xec, 0xe2, 0xc8)};

// One chip lying flat; `top` is the centre of its upper face, `squash` the
// height of the face's ellipse over its width (how steeply it is seen). Only
// the upper face of the topmost chip of a stack is ever seen, so it is optional.
void Paint_Chip(QPainter& p, QPointF top, qreal rx, const Chip_Colours& colours, qreal turn, bool face,
                qreal squash = 0.42);

struct Stack {
    QPointF base;   // centre of the lowest chip's underside
    qreal radius;
    int count;
    Chip_Colours colours;
    int seed;
};
void Paint_Stack(QPainter& p, const Stack& s);

// ---- the table (Felt.cpp)

void Paint_Felt(QPainter& p, const QRectF& area, QPointF lamp);
// Fine grain of the felt, applied in device pixels.
void Add_Felt_Grain(QImage& img);
// The near side of the table: a brass-edged wooden racetrack and the padded
// leather rail along the ellipse `edge` (design pixels, mapped by `place`).
void Shade_Rail(QImage& img, const QTransform& place, const QRectF& edge);
void Paint_Stitching(QPainter& p, const QRectF& edge);
void Paint_Vignette(QPainter& p, const QRectF& area, QPointF centre, int strength);

} // namespace Artwork
