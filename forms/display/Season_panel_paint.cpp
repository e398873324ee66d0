// The season panel as painted: a caption with the season's name, then one
// row per player (rank, name, points), each text fitted to its box.
#include "forms/display/Season_panel.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <algorithm>

namespace {

const QColor Ink(0xf4, 0xf6, 0xfa);
const QColor Gold(0xe3, 0xb3, 0x41);
const QColor Caption(0x8d, 0xa2, 0xbd);
const QColor Fill(0x10, 0x1a, 0x2a);
const QColor Edge(0xe3, 0xb3, 0x41, 160);

// The panel of the first text of this role, or an empty rectangle.
QRectF Panel_Of(const std::vector<Display_Text>& frame, const char* role)
{
    for (const Display_Text& t : frame)
        if (t.role == QLatin1String(role))
            return t.panel;
    return QRectF();
}

// Draws a text as large as its box allows (within most_px) and records it;
// a text that does not fit even at the smallest size is cut short.
void Fit(QPainter& p, std::vector<Display_Text>& frame, const QString& role, const QString& text,
         const QRectF& panel, const QRectF& box, bool bold, const QColor& colour, Qt::Alignment align, qreal most_px,
         qreal least_px = 6, Qt::TextElideMode cut = Qt::ElideRight)
{
    if (text.isEmpty() || box.width() < 2 || box.height() < 2)
        return;
    QFont f(QStringLiteral("Arial"));
    f.setBold(bold);
    int px = static_cast<int>(std::min(most_px, box.height() * 0.8));
    QString shown = text;
    for (; px > std::max<qreal>(6, least_px); --px) {
        f.setPixelSize(px);
        const QFontMetricsF fm(f);
        if (fm.horizontalAdvance(text) <= box.width() && fm.height() <= box.height())
            break;
    }
    f.setPixelSize(std::max(px, 6));
    const QFontMetricsF fm(f);
    if (fm.horizontalAdvance(shown) > box.width())
        shown = fm.elidedText(text, cut, box.width());
    const qreal advance = fm.horizontalAdvance(shown);
    qreal x = box.left() + (box.width() - advance) / 2;
    if (align & Qt::AlignLeft)
        x = box.left();
    else if (align & Qt::AlignRight)
        x = box.right() - advance;
    const qreal baseline = box.center().y() + (fm.ascent() - fm.descent()) / 2;
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QPointF(x, baseline), shown);
    frame.push_back({role, shown, panel, QRectF(x, baseline - fm.ascent(), advance, fm.ascent() + fm.descent())});
}

// The largest pixel size (within most_px, not below least_px) at which every
// text fits the width and height: all rows are drawn at it, so every row
// looks alike; a text too long even at least_px is cut short.
qreal Common_Size(const QStringList& texts, qreal width, qreal height, bool bold, qreal most_px, qreal least_px)
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(bold);
    int px = static_cast<int>(std::min(most_px, height * 0.8));
    for (; px > std::max<qreal>(6, least_px); --px) {
        f.setPixelSize(px);
        const QFontMetricsF fm(f);
        bool fits = fm.height() <= height;
        for (const QString& t : texts)
            fits = fits && fm.horizontalAdvance(t) <= width;
        if (fits)
            break;
    }
    return px;
}

// Whether the texts, each cut short to the width at this pixel size as Fit
// cuts it, still differ wherever they differ whole.
bool Apart_When_Cut(const QStringList& texts, qreal width, bool bold, int px, Qt::TextElideMode cut)
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(bold);
    f.setPixelSize(px);
    const QFontMetricsF fm(f);
    QHash<QString, QString> whole_of; // text as drawn -> text
    for (const QString& t : texts) {
        const QString shown = fm.horizontalAdvance(t) > width ? fm.elidedText(t, cut, width) : t;
        const auto it = whole_of.constFind(shown);
        if (it != whole_of.constEnd() && *it != t)
            return false;
        whole_of.insert(shown, t);
    }
    return true;
}

} // namespace

void Paint_Season_Panel(QPainter& p, std::vector<Display_Text>& frame, const Season_Panel_Facts& facts)
{
    const QRectF top = Panel_Of(frame, "players");
    const QRectF bottom = Panel_Of(frame, "next_caption");
    if (facts.rows.isEmpty() || top.isEmpty() || bottom.isEmpty())
        return;
    const QRectF panel(top.left(), top.top(), top.width(), bottom.bottom() - top.top());
    // What the column showed is covered: its texts leave the frame.
    frame.erase(std::remove_if(frame.begin(), frame.end(), [&](const Display_Text& t) { return panel.contains(t.panel); }),
                frame.end());
    const qreal radius = std::max<qreal>(3, panel.width() * 0.02);
    const qreal pad = std::max<qreal>(2, panel.width() * 0.05);
    p.setPen(QPen(Edge, std::max<qreal>(1, radius / 6)));
    p.setBrush(Fill);
    p.drawRoundedRect(panel, radius, radius);

    const qreal head_h = panel.height() * 0.16;
    const QRectF head(panel.left() + pad, panel.top() + head_h * 0.08, panel.width() - 2 * pad, head_h * 0.84);
    Fit(p, frame, QStringLiteral("season_caption"), QStringLiteral("SEASON"), panel,
        QRectF(head.left(), head.top(), head.width(), head.height() * 0.42), true, Caption, Qt::AlignCenter, 1000);
    Fit(p, frame, QStringLiteral("season_name"), facts.season, panel,
        QRectF(head.left(), head.top() + head.height() * 0.45, head.width(), head.height() * 0.55), true, Gold,
        Qt::AlignCenter, 1000);

    const int rows = static_cast<int>(facts.rows.size());
    const qreal row_h = std::min((panel.height() - head_h - pad) / std::max(rows, 1), panel.height() * 0.09);
    const qreal inner_w = panel.width() - 2 * pad, inner_h = row_h * 0.72;
    QStringList ranks, names, points;
    for (const Season_Panel_Facts::Row& r : facts.rows)
        ranks << QString::number(r.rank), names << r.name, points << QString::number(r.points);
    const qreal most = row_h * 0.62;
    const qreal rank_px = Common_Size(ranks, inner_w * 0.12, inner_h, true, most, most * 0.5);
    qreal name_px = Common_Size(names, inner_w * 0.62, inner_h, false, most, most * 0.5);
    // Names cut short must not become alike ("Christopher Jo…" twice): the
    // names get smaller until the cut ones differ too; where even the
    // smallest size does not part them, they are cut in the middle, which
    // keeps the ends where such names differ.
    while (name_px > 6 && !Apart_When_Cut(names, inner_w * 0.62, false, static_cast<int>(name_px), Qt::ElideRight))
        --name_px;
    const Qt::TextElideMode name_cut =
        Apart_When_Cut(names, inner_w * 0.62, false, static_cast<int>(name_px), Qt::ElideRight) ? Qt::ElideRight
                                                                                              : Qt::ElideMiddle;
    const qreal points_px = Common_Size(points, inner_w * 0.22, inner_h, true, most, most * 0.5);
    for (int i = 0; i < rows; ++i) {
        const Season_Panel_Facts::Row& r = facts.rows[i];
        const QRectF row(panel.left() + pad, panel.top() + head_h + i * row_h, panel.width() - 2 * pad, row_h);
        p.setPen(QPen(QColor(0x2b, 0x3d, 0x57), 1));
        p.drawLine(row.topLeft(), row.topRight());
        const QRectF in = row.adjusted(0, row_h * 0.14, 0, -row_h * 0.14);
        const QColor colour = r.rank == 1 ? Gold : Ink;
        Fit(p, frame, QStringLiteral("season_rank%1").arg(i + 1), ranks[i], panel,
            QRectF(in.left(), in.top(), in.width() * 0.12, in.height()), true, r.rank == 1 ? Gold : Caption,
            Qt::AlignLeft | Qt::AlignVCenter, rank_px, rank_px);
        Fit(p, frame, QStringLiteral("season_player%1").arg(i + 1), names[i], panel,
            QRectF(in.left() + in.width() * 0.14, in.top(), in.width() * 0.62, in.height()), false, colour,
            Qt::AlignLeft | Qt::AlignVCenter, name_px, name_px, name_cut);
        Fit(p, frame, QStringLiteral("season_points%1").arg(i + 1), points[i], panel,
            QRectF(in.left() + in.width() * 0.78, in.top(), in.width() * 0.22, in.height()), true, colour,
            Qt::AlignRight | Qt::AlignVCenter, points_px, points_px);
    }
}
