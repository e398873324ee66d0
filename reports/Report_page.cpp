#include "reports/Report_page.h"

#include "reports/Report_gen.h"

#include <QLocale>

namespace {

// One sheet for both pages. Up to 600 px (a phone) the type, the padding
// and the logo shrink, the tables take their short headings and money paid
// for bounties goes under the count, so a table of nine columns fits 390 px;
// names wrap after their comma.
const char* const Style = R"(<style>
*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;background:#f4f1e8;color:#1d2420;font:16px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"Liberation Sans",sans-serif}
header{display:flex;align-items:center;gap:18px;padding:16px 20px;background:#0b3d23;color:#f4f1e6}
.logo{display:block;flex:none;width:auto;height:auto;max-height:140px;max-width:30%;border-radius:6px}
.kind{margin:0;color:#e6c65c;font-weight:700;font-size:.85em;letter-spacing:.06em;text-transform:uppercase}
h1{margin:0;font-size:1.9em;line-height:1.15;overflow-wrap:anywhere}
.date{margin:4px 0 0;opacity:.9}
main{max-width:1040px;margin:0 auto;padding:18px 14px 24px}
h2{margin:26px 0 8px;font-size:1.25em}
table{width:100%;border-collapse:collapse;background:#fff;box-shadow:0 1px 3px rgba(0,0,0,.14)}
th,td{padding:8px 10px;text-align:left;vertical-align:top;overflow-wrap:break-word}
th{background:#e3ddc9;font-size:.85em}
tbody tr:nth-child(even){background:#f8f6f0}
th.num,td.num{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums;overflow-wrap:normal}
td.name{min-width:6.5em;overflow-wrap:anywhere}
tr.total td{font-weight:700;border-top:2px solid #0b3d23}
abbr{text-decoration:none}
.short,.legend{display:none}
.sums{margin:16px 0 0;padding:12px 14px;background:#fff;box-shadow:0 1px 3px rgba(0,0,0,.14)}
footer{padding:0 14px 24px;text-align:center;font-size:.8em;color:#6b716d}
@media (max-width:600px){
body{font-size:14px}
header{gap:12px;padding:12px}
.logo{max-height:80px}
h1{font-size:1.45em}
main{padding:12px 2px 20px}
th,td{padding:6px 2px}
th{font-size:.8em}
table{font-size:.88em}
.paid{display:block}
.long{display:none}
.short{display:inline}
.legend{display:block;margin:6px 4px 0;font-size:.8em;color:#4b524e}
}
</style>)";

QByteArray Column_Heading(const Report_Column& c)
{
    const QByteArray heading(c.heading);
    if (*c.short_heading == '\0')
        return heading;
    return R"(<span class="long">)" + heading + R"(</span><span class="short"><abbr title=")" + heading + R"(">)"
           + c.short_heading + "</abbr></span>";
}

} // namespace

QByteArray Html_Name(const QString& key)
{
    QByteArray name = Html_Text(key);
    const qsizetype comma = name.indexOf(',');
    return comma < 0 ? name : name.insert(comma + 1, "<wbr>");
}

QByteArray Html_Bounties(int count, const QByteArray& money)
{
    const QByteArray n = QByteArray::number(count);
    return money.isEmpty() ? n : n + R"( <span class="paid">()" + money + ")</span>";
}

QByteArray Html_Text(const QString& text) { return Html_Escaped(text.toUtf8()); }

QByteArray Html_Amount(const QByteArray& currency, qint64 cents)
{
    const quint64 m = cents < 0 ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    QByteArray text = QByteArray::number(m / 100);
    if (m % 100 != 0)
        text += '.' + QByteArray::number(m % 100).rightJustified(2, '0');
    return currency + (cents < 0 ? "-" + text : text);
}

QString Heading_Date(const QDate& date)
{
    return date.isValid() ? QLocale::c().toString(date, QStringLiteral("d MMMM yyyy")) : QString();
}

QString Heading_Dates(const QDate& first, const QDate& last)
{
    if (!first.isValid() || !last.isValid())
        return Heading_Date(first.isValid() ? first : last);
    if (first == last)
        return Heading_Date(first);
    return Heading_Date(first) + QStringLiteral(" to ") + Heading_Date(last);
}

Report_Page::Report_Page(const QString& kind, const QString& name, const QString& date)
{
    const QByteArray title = Html_Text(name.isEmpty() ? kind : name + QStringLiteral(": ") + kind);
    Line("<!DOCTYPE html>");
    Line(R"(<html lang="en">)");
    Line(R"(<head><meta charset="utf-8">)");
    Line(R"(<meta name="viewport" content="width=device-width, initial-scale=1">)");
    Line("<title>" + title + "</title>");
    Line(Style);
    Line("</head><body>");
    Line(R"(<header><img class="logo" src="logo.jpg" alt="">)");
    Line(R"(<div><p class="kind">)" + Html_Text(kind) + "</p><h1>" + Html_Text(name) + "</h1>"
         + (date.isEmpty() ? QByteArray() : R"(<p class="date">)" + Html_Text(date) + "</p>") + "</div></header>");
    Line("<main>");
}

Report_Page& Report_Page::Line(const QByteArray& text)
{
    bytes_.append(text).append("\r\n", 2);
    return *this;
}

Report_Page& Report_Page::Section(const QString& title)
{
    return Line("<h2>" + Html_Text(title) + "</h2>");
}

Report_Page& Report_Page::Table(const QList<Report_Column>& columns)
{
    columns_ = columns;
    QByteArray head("<table><thead><tr>");
    for (const Report_Column& c : columns)
        head.append(c.kind == Column_Kind::Number ? R"(<th scope="col" class="num">)" : R"(<th scope="col">)")
            .append(Column_Heading(c))
            .append("</th>");
    return Line(head + "</tr></thead><tbody>");
}

Report_Page& Report_Page::Cells(const QList<QByteArray>& cells, const char* row_class)
{
    QByteArray row(row_class ? QByteArray(R"(<tr class=")") + row_class + "\">" : QByteArray("<tr>"));
    for (int i = 0; i < cells.size(); ++i) {
        const Column_Kind kind = i < columns_.size() ? columns_[i].kind : Column_Kind::Text;
        row.append(kind == Column_Kind::Number ? R"(<td class="num">)"
                   : kind == Column_Kind::Name ? R"(<td class="name">)"
                                               : "<td>")
            .append(cells[i])
            .append("</td>");
    }
    return Line(row + "</tr>");
}

Report_Page& Report_Page::Row(const QList<QByteArray>& cells) { return Cells(cells, nullptr); }

Report_Page& Report_Page::Total_Row(const QList<QByteArray>& cells) { return Cells(cells, "total"); }

Report_Page& Report_Page::End_Table()
{
    QByteArray legend;
    for (const Report_Column& c : columns_)
        if (*c.short_heading != '\0')
            legend += (legend.isEmpty() ? "" : " &middot; ") + QByteArray(c.short_heading) + ": " + c.heading;
    Line("</tbody></table>");
    if (!legend.isEmpty())
        Line(R"(<p class="legend">)" + legend + "</p>");
    columns_.clear();
    return *this;
}

QByteArray Report_Page::Bytes() const
{
    return bytes_ + "</main>\r\n<footer>Velmora: Home Edition</footer>\r\n</body></html>\r\n";
}
