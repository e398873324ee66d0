// The players' display as painted: a backdrop, a header with the tournament's
// name and the time of day, the clock and the blinds on the left, the players
// and the prize pool on the right. Every text is fitted to its panel, so any
// window size, any name and any amount stay inside.
#include "forms/display/Players_display.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

const QColor Ink(0xf4, 0xf6, 0xfa);
const QColor Gold(0xe3, 0xb3, 0x41);
const QColor Caption(0x8d, 0xa2, 0xbd);
const QColor Panel_Fill(0x13, 0x1f, 0x30, 235);
const QColor Panel_Edge(0x2b, 0x3d, 0x57);
const QColor Paused_Amber(0xf0, 0xa0, 0x20);
const QColor Small_Tint(0x6e, 0x10, 0x16);
const QColor Big_Tint(0x12, 0x22, 0x70);

QFont Face(bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

enum class Height_By { Line, Digits };

struct Text_Style {
    QFont font;
    QColor colour;
    Qt::Alignment align = Qt::AlignCenter;
    Height_By height = Height_By::Line;
    QString width_template;  // measured instead of the text (fixed-width digits)
    qreal most_px = 1000;
    bool cached_glyphs = false; // drawn from pictures of its letters, kept between frames
};

Text_Style Style(const QFont& font, const QColor& colour, Qt::Alignment align = Qt::AlignCenter)
{
    Text_Style s;
    s.font = font;
    s.colour = colour;
    s.align = align;
    return s;
}

// Draws one text as large as its box allows and records where it went.
class Text_Fitter {
public:
    Text_Fitter(QPainter& p, std::vector<Display_Text>& out, QHash<QString, QImage>& glyphs)
        : p_(p), out_(out), glyphs_(glyphs) {}

    void Draw(const QString& role, const QString& text, const QRectF& panel, const QRectF& box,
              const Text_Style& style)
    {
        if (text.isEmpty() || box.width() < 2 || box.height() < 2)
            return;
        QFont f = style.font;
        const QString measured = style.width_template.isEmpty() ? text : style.width_template;
        f.setPixelSize(100);
        const QFontMetricsF at100(f);
        const qreal width100 = std::max(at100.horizontalAdvance(measured), at100.horizontalAdvance(text));
        const qreal height100 = Height_Of(at100, style.height);
        int px = static_cast<int>(std::min({style.most_px, 100 * box.width() / width100, 100 * box.height() / height100}));
        px = std::max(px, 6);
        QString shown = text;
        for (;; --px) {
            f.setPixelSize(px);
            const QFontMetricsF fm(f);
            const bool fits = fm.horizontalAdvance(shown) <= box.width() && Height_Of(fm, style.height) <= box.height();
            if (fits)
                break;
            if (px == 6) {
                shown = fm.elidedText(text, Qt::ElideRight, box.width());
                break;
            }
        }
        const QFontMetricsF fm(f);
        const qreal advance = fm.horizontalAdvance(shown);
        qreal x = box.left() + (box.width() - advance) / 2;
        if (style.align & Qt::AlignLeft)
            x = box.left();
        else if (style.align & Qt::AlignRight)
            x = box.right() - advance;
        qreal baseline;
        QRectF bounds;
        const QRectF ink = fm.tightBoundingRect(shown);
        if (style.height == Height_By::Digits) {
            baseline = box.center().y() + fm.capHeight() / 2;
            bounds = QRectF(x, baseline - fm.capHeight(), advance, fm.capHeight());
        } else {
            baseline = box.center().y() + (fm.ascent() - fm.descent()) / 2;
            bounds = QRectF(x, baseline - fm.ascent(), advance, fm.ascent() + fm.descent());
        }
        bounds = bounds.united(ink.translated(x, baseline));
        if (style.cached_glyphs)
            Draw_Glyphs(shown, f, style.colour, QPointF(x, baseline));
        else {
            p_.setFont(f);
            p_.setPen(style.colour);
            p_.drawText(QPointF(x, baseline), shown);
        }
        out_.push_back({role, shown, panel, bounds});
    }

private:
    // The time's huge letters change every second: each letter is painted once
    // per size and colour into a picture, and frames put the pictures together.
    void Draw_Glyphs(const QString& text, const QFont& f, const QColor& colour, QPointF at)
    {
        const QFontMetricsF fm(f);
        for (const QChar c : text) {
            const QString key = QStringLiteral("%1/%2/%3").arg(c).arg(f.pixelSize()).arg(colour.rgba());
            auto it = glyphs_.find(key);
            const qreal advance = fm.horizontalAdvance(c);
            if (it == glyphs_.end()) {
                QImage glyph(QSize(int(std::ceil(advance)) + 2, int(std::ceil(fm.ascent() + fm.descent())) + 2),
                             QImage::Format_ARGB32_Premultiplied);
                glyph.fill(Qt::transparent);
                QPainter g(&glyph);
                g.setRenderHint(QPainter::TextAntialiasing);
                g.setFont(f);
                g.setPen(colour);
                g.drawText(QPointF(1, 1 + fm.ascent()), QString(c));
                it = glyphs_.insert(key, glyph);
            }
            p_.drawImage(QPointF(at.x() - 1, at.y() - fm.ascent() - 1), *it);
            at.rx() += advance;
        }
    }

    static qreal Height_Of(const QFontMetricsF& fm, Height_By by)
    {
        // Digits have no descenders: their ink is the capital height (with a
        // margin for rounded tops and bottoms).
        return by == Height_By::Digits ? fm.capHeight() * 1.06 : fm.ascent() + fm.descent();
    }
    QPainter& p_;
    std::vector<Display_Text>& out_;
    QHash<QString, QImage>& glyphs_;
};

void Panel(QPainter& p, const QRectF& r, qreal radius, const QColor& fill, const QColor& edge)
{
    p.setPen(QPen(edge, std::max<qreal>(1, radius / 8)));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

QString Amount(double value)
{
    const QLocale locale;
    const bool whole = std::fabs(value - std::round(value)) < 0.005;
    return locale.toString(value, 'f', whole ? 0 : 2);
}

QString Place_Name(int place)
{
    static const char* const names[] = {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th"};
    return place >= 1 && place <= 10 ? QString::fromLatin1(names[place - 1]) : QString::number(place);
}

QRectF Inset(const QRectF& r, qreal dx, qreal dy) { return r.adjusted(dx, dy, -dx, -dy); }

} // namespace

void Display_Painter::Paint_Background(QPainter& p, const QSize& size)
{
    if (background_.size() != size) {
        background_ = QImage(size, QImage::Format_RGB32);
        QPainter b(&background_);
        QLinearGradient sky(0, 0, 0, size.height());
        sky.setColorAt(0, QColor(0x10, 0x1e, 0x30));
        sky.setColorAt(1, QColor(0x04, 0x07, 0x0d));
        b.fillRect(background_.rect(), sky);
        // A soft light behind the clock.
        QRadialGradient glow(QPointF(size.width() * 0.34, size.height() * 0.45), size.width() * 0.45);
        glow.setColorAt(0, QColor(0x2a, 0x4a, 0x78, 70));
        glow.setColorAt(1, QColor(0, 0, 0, 0));
        b.fillRect(background_.rect(), glow);
    }
    p.drawImage(0, 0, background_);
}

std::vector<Display_Text> Display_Painter::Paint(QPainter& p, const QSize& size, const Display_Facts& d,
                                                const QImage& phone_qr)
{
    std::vector<Display_Text> texts;
    if (size.isEmpty())
        return texts;
    Paint_Background(p, size);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (glyphs_.size() > 200) // sizes of windows long gone
        glyphs_.clear();
    Text_Fitter fit(p, texts, glyphs_);

    const qreal W = size.width(), H = size.height();
    const qreal unit = std::min(W / 1920.0, H / 1080.0);
    const qreal m = std::max<qreal>(4, 24 * unit);
    const qreal radius = std::max<qreal>(3, 14 * unit);
    const qreal pad = std::max<qreal>(2, 18 * unit);

    Text_Style caption = Style(Face(true), Caption);
    Text_Style blind_caption = Style(Face(true), QColor(255, 255, 255, 200));
    blind_caption.font.setLetterSpacing(QFont::PercentageSpacing, 108);
    caption.font.setLetterSpacing(QFont::PercentageSpacing, 108);
    Text_Style value = Style(Face(true), Ink);
    value.height = Height_By::Digits;

    // Header: the tournament's name and the time of day.
    const QRectF header(m, m, W - 2 * m, H * 0.085);
    Panel(p, header, radius, QColor(0x0a, 0x12, 0x1e, 235), Gold.darker(160));
    const QRectF header_in = Inset(header, pad * 1.4, header.height() * 0.17);
    Text_Style name_style = Style(Face(true), Gold, Qt::AlignLeft | Qt::AlignVCenter);
    fit.Draw(QStringLiteral("name"), d.name, header, QRectF(header_in.left(), header_in.top(), header_in.width() * 0.70, header_in.height()), name_style);
    Text_Style clock_style = Style(Face(false), Ink, Qt::AlignRight | Qt::AlignVCenter);
    clock_style.width_template = QStringLiteral("00:00");
    // The time of day in the user's short form, without seconds.
    QString day_format = QLocale().timeFormat(QLocale::ShortFormat);
    day_format.remove(QStringLiteral(":ss"));
    fit.Draw(QStringLiteral("time_of_day"), QLocale().toString(d.time_of_day, day_format), header,
             QRectF(header_in.right() - header_in.width() * 0.2, header_in.top(), header_in.width() * 0.2, header_in.height()), clock_style);

    const qreal top = header.bottom() + m;
    const qreal body_h = H - m - top;
    const qreal left_w = (W - 3 * m) * 0.655;
    const qreal right_x = m + left_w + m;
    const qreal right_w = W - m - right_x;
    const qreal gap = m * 0.75;

    // Level strip, with the paused badge at its right end.
    const QRectF level(m, top, left_w, body_h * 0.10);
    Panel(p, level, radius, Panel_Fill, Panel_Edge);
    const QRectF level_in = Inset(level, pad * 1.4, level.height() * 0.16);
    const QRectF badge(level_in.right() - level_in.width() * 0.28, level.top() + level.height() * 0.14,
                       level_in.width() * 0.28, level.height() * 0.72);
    Text_Style level_style = Style(Face(true), Ink, Qt::AlignLeft | Qt::AlignVCenter);
    const QString level_text = d.on_break ? QStringLiteral("BREAK, then level %1").arg(d.level + 1)
                                          : QStringLiteral("Level %1 of %2").arg(d.level).arg(d.level_count);
    // The estimated end, or the note that the schedule runs out, stands
    // between the level and the badge.
    // The note is longer than a time: it takes the larger share.
    const QString end_text = d.has_estimated_end ? QStringLiteral("Est. end %1").arg(d.estimated_end_text) : d.end_note;
    const qreal end_share = end_text.isEmpty() ? 0 : d.has_estimated_end ? 0.42 : 0.64;
    const qreal room = level_in.width() - badge.width() - pad;
    fit.Draw(QStringLiteral("level"), level_text, level,
             QRectF(level_in.left(), level_in.top(), room * (end_share > 0 ? 0.97 - end_share : 1), level_in.height()),
             level_style);
    if (!end_text.isEmpty()) {
        Text_Style end_style = Style(Face(false), Caption, Qt::AlignRight | Qt::AlignVCenter);
        fit.Draw(QStringLiteral("estimated_end"), end_text, level,
                 QRectF(level_in.left() + room * (1 - end_share), level_in.top() + level_in.height() * 0.12,
                        room * end_share - pad, level_in.height() * 0.76),
                 end_style);
    }
    if (d.paused) {
        Panel(p, badge, radius * 0.7, Paused_Amber, Paused_Amber.lighter(120));
        Text_Style paused = Style(Face(true), QColor(0x1a, 0x10, 0x00));
        fit.Draw(QStringLiteral("paused"), QString::fromLatin1(Stopped_Clock_Word), badge, Inset(badge, pad, badge.height() * 0.14), paused);
    }

    // The time left: the largest thing in the room.
    const QRectF clock(m, level.bottom() + gap, left_w, body_h * 0.50);
    QLinearGradient face(clock.topLeft(), clock.bottomLeft());
    if (d.flashing_red) {
        face.setColorAt(0, QColor(0xf0, 0x10, 0x10));
        face.setColorAt(1, QColor(0xa0, 0x00, 0x00));
    } else if (d.on_break) { // a break has a green face of its own
        face.setColorAt(0, QColor(0x0d, 0x4a, 0x2a));
        face.setColorAt(1, QColor(0x04, 0x1c, 0x10));
    } else {
        face.setColorAt(0, QColor(0x05, 0x08, 0x0e));
        face.setColorAt(1, QColor(0x00, 0x00, 0x00));
    }
    p.setPen(QPen(d.flashing_red ? QColor(0xff, 0x70, 0x70) : Panel_Edge, std::max<qreal>(1, radius / 6)));
    p.setBrush(face);
    p.drawRoundedRect(clock, radius, radius);
    Text_Style time_style = value;
    time_style.width_template = d.time_left;
    for (QChar& c : time_style.width_template)
        if (c.isDigit())
            c = QLatin1Char('0');
    time_style.colour = d.paused ? QColor(0xc4, 0xcc, 0xd8) : Ink;
    time_style.cached_glyphs = true;
    fit.Draw(QStringLiteral("time"), d.time_left, clock, Inset(clock, clock.width() * 0.05, clock.height() * 0.14), time_style);

    // The blinds now, small and big side by side.
    // With an ante the row has a third panel.
    const QRectF blinds_row(m, clock.bottom() + gap, left_w, body_h * 0.25);
    const int panels = d.ante != 0 ? 3 : 2;
    const qreal half = (left_w - gap * (panels - 1)) / panels;
    const struct {
        const char* role;
        QString caption;
        int amount;
        QColor tint;
        qreal x;
    } blinds[] = {{"small_blind", QStringLiteral("SMALL BLIND"), d.small_blind, Small_Tint, m},
                  {"big_blind", QStringLiteral("BIG BLIND"), d.big_blind, Big_Tint, m + half + gap},
                  {"ante", d.ante_text.section(QLatin1Char(' '), 0, -2).toUpper(), d.ante, QColor(0x14, 0x50, 0x2c),
                   m + 2 * (half + gap)}};
    for (int i = 0; i < panels; ++i) {
        const auto& b = blinds[i];
        const QRectF panel(b.x, blinds_row.top(), half, blinds_row.height());
        QLinearGradient tint(panel.topLeft(), panel.bottomLeft());
        tint.setColorAt(0, b.tint.lighter(125));
        tint.setColorAt(1, b.tint.darker(140));
        p.setPen(QPen(b.tint.lighter(170), std::max<qreal>(1, radius / 8)));
        p.setBrush(tint);
        p.drawRoundedRect(panel, radius, radius);
        const QRectF in = Inset(panel, pad, panel.height() * 0.08);
        fit.Draw(QString::fromLatin1(b.role) + QStringLiteral("_caption"), b.caption, panel,
                 QRectF(in.left(), in.top(), in.width(), in.height() * 0.24), blind_caption);
        fit.Draw(QString::fromLatin1(b.role), QLocale().toString(b.amount), panel,
                 QRectF(in.left(), in.top() + in.height() * 0.32, in.width(), in.height() * 0.62), value);
    }

    // The next level.
    const QRectF next(m, blinds_row.bottom() + gap, left_w, H - m - (blinds_row.bottom() + gap));
    Panel(p, next, radius, Panel_Fill, Panel_Edge);
    const QRectF next_in = Inset(next, pad * 1.4, next.height() * 0.2);
    Text_Style next_caption = caption;
    next_caption.align = Qt::AlignLeft | Qt::AlignVCenter;
    // In a break with a note, the note takes the panel.
    const bool noted = d.on_break && !d.break_note.isEmpty();
    fit.Draw(QStringLiteral("next_caption"), noted ? QStringLiteral("BREAK") : QStringLiteral("NEXT LEVEL"), next,
             QRectF(next_in.left(), next_in.top() + next_in.height() * 0.15, next_in.width() * 0.3, next_in.height() * 0.7), next_caption);
    Text_Style next_value = value;
    next_value.align = Qt::AlignRight | Qt::AlignVCenter;
    next_value.colour = Gold;
    QString next_text = d.has_next ? QStringLiteral("%1 / %2").arg(QLocale().toString(d.next_small), QLocale().toString(d.next_big))
                                   : QStringLiteral("Final level");
    if (d.has_next && d.next_ante != 0)
        next_text += QStringLiteral(", ") + d.next_ante_text;
    // A next level of another length says how long it lasts.
    const bool other_length = d.has_next && d.next_minutes != d.minutes;
    if (other_length)
        next_text += QStringLiteral(", %1 min").arg(d.next_minutes);
    if (noted)
        next_text = d.break_note;
    if (!d.has_next || noted || d.next_ante != 0 || other_length)
        next_value.height = Height_By::Line;
    fit.Draw(QStringLiteral("next"), next_text, next,
             QRectF(next_in.left() + next_in.width() * 0.34, next_in.top(), next_in.width() * 0.66, next_in.height()), next_value);

    // Right column: players, average stack, prize pool and payouts, sharing
    // the height by weight.
    struct Block {
        const char* role;
        QString caption;
        QString value;
        qreal weight;
    };
    std::vector<Block> blocks;
    // The night is decided: the winner and his prize lead the column.
    if (!d.winner.isEmpty())
        blocks.push_back({"winner", d.winner_deal ? QStringLiteral("WINNER (DEAL)") : QStringLiteral("WINNER"),
                          d.winner + (d.winner_prize > 0 ? QStringLiteral("  ") + d.currency + Amount(d.winner_prize) : QString()),
                          1.0});
    blocks.push_back({"players", QStringLiteral("PLAYERS LEFT"),
                      QStringLiteral("%1 / %2").arg(d.players_left).arg(d.players_entered), 1.0});
    if (d.chips_set)
        blocks.push_back({"average", QStringLiteral("AVERAGE STACK"), QLocale().toString(qRound64(d.average_stack)), 1.0});
    const int rows = static_cast<int>(std::min<qsizetype>(d.payouts.size(), 5));
    if (d.prize_pool > 0)
        blocks.push_back({"pool", QStringLiteral("PRIZE POOL"), d.currency + Amount(d.prize_pool), 1.0 + 0.42 * rows});
    // A column with room to spare shows the levels to come.
    const int later = blocks.size() < 3 ? static_cast<int>(d.later_levels.size()) : 0;
    if (later > 0)
        blocks.push_back({"later", QStringLiteral("LATER LEVELS"), QString(), 0.45 + 0.42 * later});
    // The phone view: its address and a code big enough to scan from a seat.
    if (!d.phone_address.isEmpty() && blocks.size() < 4) {
        QString shown = d.phone_address;
        shown.remove(QStringLiteral("http://"));
        if (shown.endsWith(QLatin1Char('/')))
            shown.chop(1);
        blocks.push_back({"phone", QStringLiteral("ON YOUR PHONE"), shown, 2.2});
    }
    // The phone's code is scanned from across the room: it takes about two
    // fifths of the column's height (whole pixels per module), its caption
    // and address beside it, and the other panels share what is left.
    const qreal column_h = H - m - top;
    const bool with_code = !blocks.empty() && QLatin1String(blocks.back().role) == QLatin1String("phone")
                           && !phone_qr.isNull();
    const int code_scale = with_code ? static_cast<int>(std::min(right_w * 0.66, column_h * 0.44) / phone_qr.width()) : 0;
    const qreal code_px = code_scale * phone_qr.width();
    const qreal phone_h = code_scale >= 1 ? code_px + 2 * pad : 0;
    if (phone_h > 0)
        blocks.back().weight = 0;
    qreal weights = 0;
    for (const Block& b : blocks)
        weights += b.weight;
    // A lone panel does not stretch down the whole column.
    const qreal share = std::min((column_h - phone_h - gap * (blocks.size() - 1)) / weights, column_h * 0.34);
    qreal y = top;
    for (const Block& b : blocks) {
        const bool code_beside = QLatin1String(b.role) == QLatin1String("phone") && phone_h > 0;
        const QRectF panel(right_x, y, right_w, code_beside ? phone_h : share * b.weight);
        Panel(p, panel, radius, Panel_Fill, Panel_Edge);
        // Caption and value take one share; a list has its caption alone on
        // top; beside the phone's code they take the panel's height.
        const qreal head_h = code_beside ? panel.height() * 0.5 : b.value.isEmpty() ? share * 0.45 : share;
        const qreal text_left = code_beside ? panel.left() + pad + code_px : panel.left();
        const QRectF head(text_left, panel.top() + (code_beside ? panel.height() * 0.25 : 0), panel.right() - text_left, head_h);
        const QRectF in = Inset(head, pad * 1.2, head_h * 0.1);
        const qreal caption_h = b.value.isEmpty() ? in.height() * 0.58 : in.height() * 0.26;
        fit.Draw(QString::fromLatin1(b.role) + QStringLiteral("_caption"), b.caption, panel,
                 QRectF(in.left(), in.top(), in.width(), caption_h), caption);
        fit.Draw(QString::fromLatin1(b.role), b.value, panel,
                 QRectF(in.left(), in.top() + in.height() * 0.34, in.width(), in.height() * 0.60), value);
        if (QLatin1String(b.role) == QLatin1String("later")) {
            const qreal row_h = (panel.height() - head_h) / later;
            for (int i = 0; i < later; ++i) {
                const Display_Facts::Level& lv = d.later_levels[i];
                const QRectF row(panel.left() + pad * 1.2, panel.top() + head_h + i * row_h, panel.width() - pad * 2.4, row_h);
                p.setPen(QPen(Panel_Edge, 1));
                p.drawLine(QPointF(row.left(), row.top()), QPointF(row.right(), row.top()));
                const QRectF row_in = Inset(row, 0, row_h * 0.18);
                Text_Style number = Style(Face(true), Caption, Qt::AlignLeft | Qt::AlignVCenter);
                fit.Draw(QStringLiteral("later_level%1").arg(i + 1), QStringLiteral("Level %1").arg(lv.number), panel,
                         QRectF(row_in.left(), row_in.top(), row_in.width() * 0.40, row_in.height()), number);
                Text_Style blinds = value;
                blinds.align = Qt::AlignRight | Qt::AlignVCenter;
                fit.Draw(QStringLiteral("later_blinds%1").arg(i + 1),
                         QStringLiteral("%1 / %2").arg(QLocale().toString(lv.small_blind), QLocale().toString(lv.big_blind)), panel,
                         QRectF(row_in.left() + row_in.width() * 0.44, row_in.top(), row_in.width() * 0.56, row_in.height()), blinds);
            }
        }
        if (QLatin1String(b.role) == QLatin1String("pool")) {
            const qreal row_h = (panel.height() - head_h) / std::max(rows, 1);
            for (int i = 0; i < rows; ++i) {
                const QRectF row(panel.left() + pad * 1.2, panel.top() + head_h + i * row_h, panel.width() - pad * 2.4, row_h);
                p.setPen(QPen(Panel_Edge, 1));
                p.drawLine(QPointF(row.left(), row.top()), QPointF(row.right(), row.top()));
                const QRectF row_in = Inset(row, 0, row_h * 0.16);
                Text_Style place = Style(Face(true), i == 0 ? Gold : Caption, Qt::AlignLeft | Qt::AlignVCenter);
                fit.Draw(QStringLiteral("place%1").arg(i + 1), Place_Name(i + 1), panel,
                         QRectF(row_in.left(), row_in.top(), row_in.width() * 0.28, row_in.height()), place);
                Text_Style amount = value;
                amount.align = Qt::AlignRight | Qt::AlignVCenter;
                amount.colour = i == 0 ? Gold : Ink;
                fit.Draw(QStringLiteral("payout%1").arg(i + 1), d.currency + Amount(d.payouts[i]), panel,
                         QRectF(row_in.left() + row_in.width() * 0.32, row_in.top(), row_in.width() * 0.68, row_in.height()), amount);
            }
        }
        if (code_beside) {
            // Whole pixels per module keep the code sharp enough to scan.
            const QRectF code(panel.left() + pad, panel.top() + pad, code_px, code_px);
            const int px = static_cast<int>(code_px);
            p.drawImage(code.topLeft(), phone_qr.scaled(px, px, Qt::KeepAspectRatio, Qt::FastTransformation));
            texts.push_back({QStringLiteral("phone_code"), d.phone_address, panel, code});
        }
        y = panel.bottom() + gap;
    }
    return texts;
}
