// The season panel as painted: a caption with the season's name, then one
// row per player (rank, name, points), each text fitted to its box.
#include "forms/display/Season_panel.h"

#include <QFontMetricsF>
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

// Draws a text as large as its box allows (within most_px) and records it.
void Fit(QPainter& p, std::vector<Display_Text>& frame, const QString& role, const QString& text,
         const QRectF& panel, const QRectF& box, bool bold, const QColor& colour, Qt::Alignment align, qreal most_px)
{
    if (text.isEmpty() || box.width() < 2 || box.height() < 2)
        return;
    QFont f(QStringLiteral("Arial"));
    f.setBold(bold);
    int px = static_cast<int>(std::min(most_px, box.height() * 0.8));
    QString shown = text;
    for (; px > 6; --px) {
        f.setPixelSize(px);
        const QFontMetricsF fm(f);
        if (fm.horizontalAdvance(text) <= box.width() && fm.height() <= box.height())
            break;
    }
    f.setPixelSize(std::max(px, 6));
    const QFontMetricsF fm(f);
    if (fm.horizontalAdvance(shown) > box.width())
        shown = fm.elidedText(text, Qt::ElideRight, box.width());
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
    for (int i = 0; i < rows; ++i) {
        const Season_Panel_Facts::Row& r = facts.rows[i];
        const QRectF row(panel.left() + pad, panel.top() + head_h + i * row_h, panel.width() - 2 * pad, row_h);
        p.setPen(QPen(QColor(0x2b, 0x3d, 0x57), 1));
        p.drawLine(row.topLeft(), row.topRight());
        const QRectF in = row.adjusted(0, row_h * 0.14, 0, -row_h * 0.14);
        const QColor colour = r.rank == 1 ? Gold : Ink;
        const qreal most = row_h * 0.62;
        Fit(p, frame, QStringLiteral("season_rank%1").arg(i + 1), QString::number(r.rank), panel,
            QRectF(in.left(), in.top(), in.width() * 0.12, in.height()), true, r.rank == 1 ? Gold : Caption,
            Qt::AlignLeft | Qt::AlignVCenter, most);
        Fit(p, frame, QStringLiteral("season_player%1").arg(i + 1), r.name, panel,
            QRectF(in.left() + in.width() * 0.14, in.top(), in.width() * 0.62, in.height()), false, colour,
            Qt::AlignLeft | Qt::AlignVCenter, most);
        Fit(p, frame, QStringLiteral("season_points%1").arg(i + 1), QString::number(r.points), panel,
            QRectF(in.left() + in.width() * 0.78, in.top(), in.width() * 0.22, in.height()), true, colour,
            Qt::AlignRight | Qt::AlignVCenter, most);
    }
}
