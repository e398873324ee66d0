#include "forms/print/Sheet_painter.h"

#include "platform/Velmora_error.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

const QString Family = QStringLiteral("Liberation Sans");

QFont Font(double points, bool bold = false)
{
    QFont f(Family);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void Begin(QPainter& p, QPagedPaintDevice& device)
{
    if (!p.begin(&device))
        throw Velmora_Error(QStringLiteral("Unable to print: the printer or the file cannot be opened"));
}

// The printable area in device units, with the painter's origin at its corner.
QRectF Printable(QPagedPaintDevice& device)
{
    const QRect r = device.pageLayout().paintRectPixels(device.logicalDpiX());
    return QRectF(0, 0, r.width(), r.height());
}

// The pages of a sheet: where the next line goes, and turning the page.
class Pages {
public:
    Pages(QPagedPaintDevice& device, QPainter& p) : device_(device), p_(p), area_(Printable(device)), y_(area_.top())
    {
        footer_ = QFontMetricsF(Font(8), &device_).height() * 1.5;
    }
    double Mm(double mm) const { return mm * device_.logicalDpiY() / 25.4; }
    const QRectF& Area() const { return area_; }
    double Y() const { return y_; }
    void Down(double h) { y_ += h; }
    bool Room(double h) const { return y_ + h <= area_.bottom() - footer_; }
    void New_Page()
    {
        Footer();
        if (!device_.newPage())
            throw Velmora_Error(QStringLiteral("Unable to print: no new page could be started"));
        ++page_;
        y_ = area_.top();
    }
    void Footer()
    {
        p_.setFont(Font(8));
        p_.setPen(Qt::darkGray);
        p_.drawText(QRectF(area_.left(), area_.bottom() - footer_, area_.width(), footer_),
                    Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Page %1").arg(page_));
        p_.setPen(Qt::black);
    }
    QPagedPaintDevice& Device() { return device_; }

private:
    QPagedPaintDevice& device_;
    QPainter& p_;
    QRectF area_;
    double y_;
    double footer_ = 0;
    int page_ = 1;
};

void Line_Of_Text(QPainter& p, Pages& pages, const QFont& font, const QString& text, double after = 1.2)
{
    const QFontMetricsF fm(font, &pages.Device());
    const double h = fm.height() * after;
    if (!pages.Room(h))
        pages.New_Page();
    p.setFont(font);
    p.drawText(QRectF(pages.Area().left(), pages.Y(), pages.Area().width(), h), Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(text, Qt::ElideRight, pages.Area().width()));
    pages.Down(h);
}

// Column widths for the table in this font, brought within the width: the
// type and the gaps shrink down to half, then the widest columns give way.
QVector<double> Widths(const Sheet_Table& table, QFont& body, QFont& bold, double& gap, Pages& pages)
{
    // A text of several words asks for a third of the width at most: it runs
    // on over more lines rather than making the whole table's type smaller.
    const double run_on = pages.Area().width() / 3;
    auto wanted = [run_on](const QFontMetricsF& fm, const QString& text) {
        const double whole = fm.horizontalAdvance(text);
        if (whole <= run_on || !text.contains(QLatin1Char(' ')))
            return whole;
        double word = 0;
        for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            word = std::max(word, fm.horizontalAdvance(part));
        return std::max(run_on, word);
    };
    auto natural = [&] {
        const QFontMetricsF fm(body, &pages.Device()), fb(bold, &pages.Device());
        QVector<double> w(table.columns.size(), 0);
        for (int c = 0; c < table.columns.size(); ++c) {
            w[c] = fb.horizontalAdvance(table.columns[c].caption);
            for (const Sheet_Row& r : table.rows)
                if (c < r.cells.size())
                    w[c] = std::max(w[c], wanted(r.emphasis ? fb : fm, r.cells[c]));
        }
        return w;
    };
    QVector<double> w = natural();
    const double scale = Fit_Scale(w, gap, pages.Area().width());
    if (scale < 1) {
        body.setPointSizeF(body.pointSizeF() * std::max(0.5, scale));
        bold.setPointSizeF(body.pointSizeF());
        gap *= std::max(0.5, scale);
        w = natural();
    }
    double over = -pages.Area().width() + gap * (w.size() - 1);
    for (double x : w)
        over += x;
    while (over > 0.5) {
        auto widest = std::max_element(w.begin(), w.end());
        const double cut = std::min(over, *widest * 0.5);
        *widest -= cut;
        over -= cut;
    }
    return w;
}

void Paint_Table(QPainter& p, Pages& pages, const Sheet_Table& table)
{
    QFont body = Font(10), bold = Font(10, true);
    double gap = pages.Mm(4);
    const QVector<double> w = Widths(table, body, bold, gap, pages);
    const double h = QFontMetricsF(body, &pages.Device()).height() * 1.45;
    if (!table.heading.isEmpty()) {
        // A heading never stands alone at the foot of a page: it goes over
        // with the table's first rows.
        const QFont font = Font(12, true);
        pages.Down(pages.Mm(3));
        if (!pages.Room(QFontMetricsF(font, &pages.Device()).height() * 1.4 + h * 2))
            pages.New_Page();
        Line_Of_Text(p, pages, font, table.heading, 1.4);
    }
    const bool header = std::any_of(table.columns.begin(), table.columns.end(),
                                    [](const Sheet_Column& c) { return !c.caption.isEmpty(); });
    // A cell wider than its column (a break's long note) runs on over more
    // lines; only a single word too long for the column is shortened.
    auto wrapped = [&](const QFontMetricsF& fm, const QString& text, double width) {
        return fm.horizontalAdvance(text) > width
               && fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).width() <= width + 0.5;
    };
    auto height_of = [&](const QStringList& cells, bool strong) {
        const QFontMetricsF fm(strong ? bold : body, &pages.Device());
        double most = h;
        for (int c = 0; c < w.size() && c < cells.size(); ++c)
            if (wrapped(fm, cells[c], w[c]))
                most = std::max(most, fm.boundingRect(QRectF(0, 0, w[c], 1e6), Qt::TextWordWrap, cells[c]).height()
                                          + h - fm.height());
        return most;
    };
    auto row = [&](const QStringList& cells, bool strong, bool shaded) {
        const QFont& f = strong ? bold : body;
        const QFontMetricsF fm(f, &pages.Device());
        const double rh = height_of(cells, strong);
        if (shaded)
            p.fillRect(QRectF(pages.Area().left(), pages.Y(), pages.Area().width(), rh), QColor(0xe8, 0xe8, 0xe8));
        p.setFont(f);
        double x = pages.Area().left();
        for (int c = 0; c < w.size(); ++c) {
            const QString cell = c < cells.size() ? cells[c] : QString();
            const bool wrap = wrapped(fm, cell, w[c]);
            const QString text = wrap ? cell : fm.elidedText(cell, Qt::ElideRight, w[c]);
            const Qt::Alignment a = (table.columns[c].right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            p.drawText(QRectF(x, pages.Y(), w[c], rh), static_cast<int>(a) | (wrap ? static_cast<int>(Qt::TextWordWrap) : 0), text);
            x += w[c] + gap;
        }
        pages.Down(rh);
    };
    auto heading_row = [&] {
        QStringList captions;
        for (const Sheet_Column& c : table.columns)
            captions << c.caption;
        row(captions, true, false);
        p.drawLine(QPointF(pages.Area().left(), pages.Y()), QPointF(pages.Area().right(), pages.Y()));
    };
    if (!pages.Room(h * 2))
        pages.New_Page();
    if (header)
        heading_row();
    for (const Sheet_Row& r : table.rows) {
        if (!pages.Room(height_of(r.cells, r.emphasis))) {
            pages.New_Page();
            if (header)
                heading_row();
        }
        row(r.cells, r.emphasis, r.emphasis);
    }
}

// The largest type, from `points` down to `least`, in which the text fits the
// width; when even the least does not and the text must stay whole, the type
// that just fits: a name of the widest letters is smaller, but whole.
QFont Fitting_Font(const QString& text, double points, double least, double width, QPaintDevice* device,
                   bool whole = true)
{
    QFont f = Font(points, true);
    while (f.pointSizeF() > least && QFontMetricsF(f, device).horizontalAdvance(text) > width)
        f.setPointSizeF(std::max(least, f.pointSizeF() - 2));
    for (int tries = 0; whole && tries < 8; ++tries) {
        const double wide = QFontMetricsF(f, device).horizontalAdvance(text);
        if (wide <= width || f.pointSizeF() <= 6)
            break;
        f.setPointSizeF(std::max(6.0, f.pointSizeF() * width / wide * 0.98));
    }
    return f;
}

void Paint_Card(QPainter& p, QPagedPaintDevice& device, const QRectF& card, const Seat_Card& c, const QString& tourney,
                double mm)
{
    QPen cut(Qt::gray, 0, Qt::DashLine);
    p.setPen(cut);
    p.drawRect(card);
    p.setPen(Qt::black);
    const QRectF in = card.adjusted(6 * mm, 6 * mm, -6 * mm, -6 * mm);
    const QFont small = Font(10);
    const QFontMetricsF fs(small, &device);
    p.setFont(small);
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(in.left(), in.top(), in.width(), fs.height()), Qt::AlignHCenter | Qt::AlignTop,
               fs.elidedText(tourney, Qt::ElideRight, in.width()));
    p.setPen(Qt::black);

    // One line while the name reads from across the table; else first and
    // last name on a line each, in the type that fits both.
    // A name of one long word takes smaller type still.
    QStringList lines{c.name};
    const qsizetype space = c.name.indexOf(QLatin1Char(' '));
    QFont name = Fitting_Font(c.name, 44, space > 0 ? 30 : 20, in.width(), &device, space <= 0);
    if (QFontMetricsF(name, &device).horizontalAdvance(c.name) > in.width() && space > 0) {
        lines = QStringList{c.name.left(space), c.name.mid(space + 1)};
        const QFont first = Fitting_Font(lines[0], 44, 24, in.width(), &device);
        const QFont last = Fitting_Font(lines[1], 44, 24, in.width(), &device);
        name = first.pointSizeF() < last.pointSizeF() ? first : last;
    }
    const QFontMetricsF fn(name, &device);
    const QFont place = Font(22, true);
    const QFontMetricsF fp(place, &device);
    const double block = fn.height() * lines.size() + fp.height() * 1.4;
    double top = in.top() + (in.height() - block) / 2;
    p.setFont(name);
    for (const QString& line : lines) {
        p.drawText(QRectF(in.left(), top, in.width(), fn.height()), Qt::AlignCenter,
                   fn.elidedText(line, Qt::ElideRight, in.width()));
        top += fn.height();
    }
    top -= fn.height();
    p.setFont(place);
    const QString where = QStringLiteral("Table %1   Seat %2").arg(c.table).arg(c.seat);
    p.drawText(QRectF(in.left(), top + fn.height() + fp.height() * 0.4, in.width(), fp.height()), Qt::AlignCenter,
               fp.elidedText(where, Qt::ElideRight, in.width()));
}

} // namespace

void Set_Up_Page(QPagedPaintDevice& device, Paper paper)
{
    const QPageLayout layout(QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4),
                             QPageLayout::Portrait, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    device.setPageLayout(layout);
}

void Paint_Sheet(QPagedPaintDevice& device, const Sheet& sheet)
{
    QPainter p;
    Begin(p, device);
    Pages pages(device, p);
    Line_Of_Text(p, pages, Font(18, true), sheet.title, 1.3);
    if (!sheet.subtitle.isEmpty())
        Line_Of_Text(p, pages, Font(11), sheet.subtitle, 1.4);
    for (const Sheet_Table& t : sheet.tables)
        Paint_Table(p, pages, t);
    if (!sheet.notes.isEmpty())
        pages.Down(pages.Mm(3));
    for (const QString& note : sheet.notes)
        Line_Of_Text(p, pages, Font(10), note, 1.4);
    pages.Footer();
    if (!p.end())
        throw Velmora_Error(QStringLiteral("Unable to print: the pages could not be finished"));
}

void Paint_Seat_Cards(QPagedPaintDevice& device, const QVector<Seat_Card>& cards, int per_page, const QString& tourney)
{
    QPainter p;
    Begin(p, device);
    const QRectF area = Printable(device);
    const double mm = device.logicalDpiY() / 25.4;
    const QVector<QRectF> places = Card_Rects(area, per_page);
    for (int i = 0; i < cards.size(); ++i) {
        if (i > 0 && i % places.size() == 0 && !device.newPage())
            throw Velmora_Error(QStringLiteral("Unable to print: no new page could be started"));
        Paint_Card(p, device, places[i % places.size()], cards[i], tourney, mm);
    }
    if (!p.end())
        throw Velmora_Error(QStringLiteral("Unable to print: the pages could not be finished"));
}
