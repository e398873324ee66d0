#include "reports/Report_gen.h"

#include "model/Player.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"

#include <QDir>
#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstring>

namespace {

constexpr int Report_Tables = 10;  // tables 1 to 10
constexpr int Report_Seats = 300; // seats 1 to 300 of a table are listed

const char* const Doctype = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)";
const char* const Table_End = R"(</table><p><font size="+7"></font> </p></body></html>)";

// One page, line by line, every line ended by CR LF.
class Page {
public:
    explicit Page(int expected_lines) { bytes_.reserve(expected_lines * 64); }
    Page& Line(const char* text)
    {
        bytes_.append(text);
        bytes_.append("\r\n", 2);
        return *this;
    }
    Page& Row(const char* before, const QByteArray& first, const char* middle, const QByteArray& second,
              const char* after)
    {
        bytes_.append(before).append(first).append(middle).append(second).append(after).append("\r\n", 2);
        return *this;
    }
    QByteArray Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

QByteArray Field_Bytes(const char* field, int size)
{
    return QByteArray(field, static_cast<qsizetype>(strnlen(field, static_cast<size_t>(size))));
}

QByteArray Entry_Name(const CTourneyPlayer& entry) { return Html_Escaped(Field_Bytes(entry.Name, Entry_Name_Size)); }

QByteArray Number(const char* format, int n)
{
    char buf[16];
    const int length = std::snprintf(buf, sizeof buf, format, n);
    return QByteArray(buf, length);
}

int Entry_Count(const CTourney& tourney) { return qBound(0, tourney.Total, Max_Entries); }

QString Write_Report(const QString& file_name, const QByteArray& bytes)
{
    const QString folder = Reports_Folder();
    QDir().mkpath(folder); // a folder that cannot be made shows as a failed write
    const QString path = folder + file_name;
    Write_File_Atomic(path, bytes);
    return path;
}

} // namespace

QByteArray Html_Escaped(const QByteArray& text)
{
    if (text.indexOf('&') < 0 && text.indexOf('<') < 0 && text.indexOf('>') < 0 && text.indexOf('"') < 0)
        return text;
    QByteArray out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append("&quot;"); break;
        default: out.append(c);
        }
    }
    return out;
}

QByteArray Contact_List_Page(const CTourneyPlayer* entries, int count, CPlayerDB& database)
{
    count = qBound(0, count, Max_Entries);
    Page page(count + 6);
    page.Line(Doctype)
        .Line(R"(<html><head><title>Velmora: Player List</title></head><body bgcolor="#FFFFFF">)")
        .Line(R"(<p><font size="+7"><img src="logo.jpg" width="104" height="189"><font color="#000000">  Player List  </font></p>)")
        .Line(R"(<p>&nbsp;</p><table width="75%" border="0"><tr><td><strong>Name:</strong></td><td><strong>Phone Number:</strong></td>)")
        .Line("<tr></tr>");
    for (int i = 0; i < count; ++i) {
        const CTourneyPlayer& entry = entries[i];
        const int slot = database.Find(CTourney::Entry_Name(entry));
        if (slot < 0 || slot >= Max_Players)
            continue; // the player was deleted from the database
        const QByteArray phone = Html_Escaped(Field_Bytes(database.Player[slot].Phone, Player_Text_Size));
        page.Row("<tr><td>", Entry_Name(entry), "</td><td>", phone, "</td></tr>");
    }
    page.Line(Table_End);
    return page.Bytes();
}

QByteArray Top10_Page(const CTourney& tourney)
{
    const int total = Entry_Count(tourney);
    // For each place the first entry (in entry order) that holds it.
    int holder[Max_Entries + 1];
    std::fill(std::begin(holder), std::end(holder), -1);
    for (int i = 0; i < total; ++i) {
        const int place = tourney.Players[i].Place;
        if (place >= 1 && place <= total && holder[place] < 0)
            holder[place] = i;
    }

    Page page(total + 6);
    page.Line(Doctype)
        .Line(R"(<html><head><title>Velmora: Top 10 List</title></head><body bgcolor="#FFFFFF">)")
        .Line(R"(<p><img src="logo.jpg" width="104" height="189"><font size="+7"> <font color="#000000"> Player List </font></p>)")
        .Line(R"(<p>&nbsp;</p><table width="75%" border="0"><tr><td><strong>Finish:</strong></td><td><strong>Name:</strong></td>)")
        .Line("<tr></tr>");
    static const QByteArray still_playing("Still Playing");
    for (int place = 1; place <= total; ++place) {
        const QByteArray name = holder[place] < 0 ? still_playing : Entry_Name(tourney.Players[holder[place]]);
        page.Row("<tr><td>", Number("%d", place), "</td><td>", name, "</td></tr>");
    }
    page.Line(Table_End);
    return page.Bytes();
}

QByteArray Seating_Page(const CTourney& tourney)
{
    const int total = Entry_Count(tourney);
    Page page(total + 40);
    page.Line(Doctype)
        .Line(R"(<html><head><title>Velmora: Seating List</title></head><body bgcolor="#FFFFFF">)")
        .Line(R"(<p><img src="logo.jpg" width="104" height="189"><font size="+7"> <font color="#000000"> Seating List </font></p>)");

    // Tables in order; within a table the seats in order, one player per seat
    // (the first entry that holds it). The loop stops after the table that
    // brings the count of players listed to the number of entries; players
    // that share a seat or sit outside the tables keep it from getting there.
    int written = 0;
    int at_seat[Report_Seats];
    for (int t = 0; t < Report_Tables && written != total; ++t) {
        std::fill(std::begin(at_seat), std::end(at_seat), -1);
        for (int i = 0; i < total; ++i) {
            const CTourneyPlayer& entry = tourney.Players[i];
            if (entry.Table == t && entry.Seat >= 0 && entry.Seat < Report_Seats && at_seat[entry.Seat] < 0)
                at_seat[entry.Seat] = i;
        }
        page.Row(R"(<p><font size="+3"> <font color="#000000"> Table )", Number("%1i", t + 1), " </font></p>",
                 QByteArray(), "");
        page.Line(R"(<table border="0"><tr><td><strong>Seat:</strong></td><td><strong>Name:</strong></td></tr>)");
        for (int s = 0; s < Report_Seats; ++s) {
            if (at_seat[s] < 0)
                continue;
            page.Row("<tr><td>", Number("%2d", s + 1), "</td><td>", Entry_Name(tourney.Players[at_seat[s]]),
                     "</td></tr>");
            ++written;
        }
        page.Line("</table>");
    }
    page.Line("</body></html>");
    return page.Bytes();
}

QString Write_Contact_List(const CTourneyPlayer* entries, int count, CPlayerDB& database)
{
    return Write_Report(QStringLiteral("Contact.htm"), Contact_List_Page(entries, count, database));
}

QString Write_Top10(const CTourney& tourney) { return Write_Report(QStringLiteral("Top10.htm"), Top10_Page(tourney)); }

QString Write_Seating(const CTourney& tourney)
{
    return Write_Report(QStringLiteral("Seating.htm"), Seating_Page(tourney));
}
