// The printed sheets as they come out: each one written through File, "Save
// as PDF..." (and once through the print dialog), read back with poppler's
// pdftotext and pdftoppm: every player and amount is there, every word stands
// inside the margins and the page edges stay blank. Below, the rules of the
// sheets' contents and of the cards' places as properties.
#include "Main_window_test.h"

#include "forms/print/Print_commands.h"
#include "forms/print/Print_dlg.h"
#include "forms/print/Sheet_painter.h"
#include "model/End_model.h"
#include "model/Money.h"
#include "model/Structure_planner.h"
#include "model/Season.h"
#include "reports/Print_sheets.h"
#include "reports/Results_report.h"

#include <QComboBox>
#include <algorithm>
#include <QDir>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimeEdit>
#include <rapidcheck/gtest.h>

namespace {

// ---- reading a PDF back ----

struct Word {
    QRectF box;
    QString text;
};

struct Pdf_Read {
    QSizeF page;           // points
    int pages = 0;
    QVector<Word> words;
    QString text;          // line by line, the words of a line left to right
};

QString Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

Pdf_Read Read_Pdf(const QString& pdf)
{
    Pdf_Read read;
    const QString html = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression page(QStringLiteral(R"x(<page width="([\d.]+)" height="([\d.]+)">)x"));
    const QRegularExpression word(
        QStringLiteral(R"x(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)x"));
    // Each page's words by line (the middle of their boxes), left to right.
    QStringList lines;
    for (const QString& one : html.split(QStringLiteral("</page>"))) {
        const QRegularExpressionMatch size = page.match(one);
        if (!size.hasMatch())
            continue;
        read.page = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
        ++read.pages;
        QVector<Word> words;
        for (const QRegularExpressionMatch& m : word.globalMatch(one)) {
            QString text = m.captured(5);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
            words.push_back({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                    QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                             text});
        }
        read.words += words;
        std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
            if (std::abs(a.box.center().y() - b.box.center().y()) > 2)
                return a.box.center().y() < b.box.center().y();
            return a.box.left() < b.box.left();
        });
        QStringList line;
        double y = -100;
        for (const Word& w : words) {
            if (std::abs(w.box.center().y() - y) > 2 && !line.isEmpty()) {
                lines << line.join(QLatin1Char(' '));
                line.clear();
            }
            y = w.box.center().y();
            line << w.text;
        }
        lines << line.join(QLatin1Char(' '));
    }
    read.text = lines.join(QLatin1Char('\n'));
    return read;
}

// The pages as pictures at a low resolution.
QVector<QImage> Pdf_Pictures(const QString& pdf, int dpi)
{
    const QString stem = pdf + QStringLiteral("-page");
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, stem});
    QVector<QImage> pages;
    const QFileInfo info(stem);
    for (const QString& f : QDir(info.absolutePath()).entryList({info.fileName() + QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        pages << QImage(info.absolutePath() + QLatin1Char('/') + f).convertToFormat(QImage::Format_Grayscale8);
    return pages;
}

// No ink within `mm` of any edge.
bool Blank_Edges(const QImage& page, int dpi, double mm)
{
    const int band = static_cast<int>(mm * dpi / 25.4);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((x < band || y < band || x >= page.width() - band || y >= page.height() - band)
                && qGray(page.pixel(x, y)) < 200)
                return false;
    return true;
}

// ---- the evening printed ----

const QStringList Keys = {"Anna,Berg",   "Ben,Ortiz", "Carla,Diaz", "Dev,Patel",          "Zo\u00eb,M\u00fcller",
                          "Femi,Ade",    "Gus,Lind",  "Hana,Sato",  "Maximilia,Oosterhou", "Ivan,Novak"};

struct Case {
    const char* name;
    Sheet_Kind kind;
    Print_Output output;
    int per_page;      // seat cards only
    const char* paper;
    int pages;
};

const Case Cases[] = {
    {"seat cards, four to an A4 page", Sheet_Kind::Seat_Cards, Print_Output::Pdf, 4, "A4", 3},
    {"seat cards, six to a Letter page", Sheet_Kind::Seat_Cards, Print_Output::Pdf, 6, "Letter", 2},
    {"the structure", Sheet_Kind::Structure, Print_Output::Pdf, 0, "A4", 1},
    {"the results, printed", Sheet_Kind::Results, Print_Output::Printer, 0, "Letter", 1},
    {"the season's standings", Sheet_Kind::Standings, Print_Output::Pdf, 0, "A4", 1},
};

class Print_Test : public Main_Window_Test {
protected:
    // Ten players at two tables, a structure with a long level and a break,
    // money with rebuys and bounties, nine out and a winner, one season.
    void SetUp() override
    {
        QDir().mkpath(folder.data());
        CTourney t;
        t.Load_File(QStringLiteral("Default"));
        t.Name = QStringLiteral("Friday Night");
        for (int i = 0; i < Keys.size(); ++i) {
            t.Enter_Player(Keys[i]);
            t.Players[i].Table = i % 2;
            t.Players[i].Seat = i / 2;
        }
        for (int i = 0; i < Level_Count; ++i)
            t.Blinds[i] = i < 12 ? CBlindLevel{50 * (i + 1), 25 * (i + 1)} : CBlindLevel{0, 0};
        t.Structure.Levels[4].Minutes = 30;
        t.Structure.Levels[3].Break_Minutes = 10;
        t.Structure.Levels[3].Break_Note = QStringLiteral("Colour up the 25s");
        t.Structure.Levels[6].Ante = 25;
        t.Chips[0].Value = 25;
        t.Chips[0].Quanity = 40;
        Money_Settings& s = t.Money.Settings;
        s.Buy_In = 50, s.Fee = 5, s.Bounty = 10, s.Rebuy_Price = 20, s.Rebuy_Chips = 1000, s.Rebuy_Until = 4;
        s.Pool_From_Entries = true;
        s.Currency = QStringLiteral("$");
        t.Prize[0] = 50, t.Prize[1] = 30, t.Prize[2] = 20;
        Rebuy(t, Keys[1], 2);
        Rebuy(t, Keys[1], 3);
        for (int i = Keys.size() - 1; i >= 1; --i) {
            t.Set_Out(Keys[i]);
            Credit_Knock_Out(t, Keys[i], Keys[0]);
        }
        t.Set_Out(Keys[0]);
        Keep_Pool(t);
        t.Save_File(QStringLiteral("Default"));
        Save_Season({QStringLiteral("Spring"), Points_Rule(), {{QStringLiteral("Default.trn"), QDate(2026, 3, 6)}}, {}});
        Start();
    }

    // Runs the dialog of `command` with the case's choices and presses its
    // output button; the PDF lands at `pdf`.
    void Print(const Case& c, const QString& pdf)
    {
        (c.output == Print_Output::Pdf ? script.files : script.printers).push_back(pdf);
        script.modal_scripts[QStringLiteral("Print_Dlg")] = [&c](QDialog* d) {
            auto* dlg = static_cast<TPrint_Dlg*>(d);
            dlg->Sheet_Combo->setCurrentIndex(static_cast<int>(c.kind));
            dlg->Cards_Combo->setCurrentIndex(c.per_page == 6 ? 1 : 0);
            dlg->Start_Time->setTime(QTime(19, 30));
            dlg->Paper_Combo->setCurrentText(QString::fromLatin1(c.paper));
            QTest::mouseClick(dlg->Output_Btn, Qt::LeftButton);
            return dlg->result();
        };
        auto* commands = form->findChild<Print_Commands*>();
        ASSERT_NE(commands, nullptr);
        (c.output == Print_Output::Pdf ? commands->Save_Pdf : commands->Print_Sheets)->trigger();
    }

    // What the sheet must say, from the tournament the program holds.
    QStringList Expected(Sheet_Kind kind) const
    {
        const CTourney& t = *form->Current_Tourney;
        QStringList texts;
        // A card too narrow for a name in large type puts it on two lines.
        if (kind == Sheet_Kind::Seat_Cards)
            for (const QString& k : Keys)
                texts << k.split(QLatin1Char(','));
        if (kind == Sheet_Kind::Results || kind == Sheet_Kind::Standings)
            for (const QString& k : Keys)
                texts << Shown_Player_Name(k);
        if (kind == Sheet_Kind::Seat_Cards)
            texts << QStringLiteral("Table 2 Seat 5") << QStringLiteral("Table 1 Seat 1");
        if (kind == Sheet_Kind::Structure) {
            texts << QStringLiteral("Default: Structure") << QStringLiteral("19:30") << QStringLiteral("19:50") << QStringLiteral("Break 20:50 10 Colour up the 25s")
                  << QStringLiteral("5 21:00 125 250 30") << QStringLiteral("7 21:50 175 350 25 20") << QStringLiteral("21:30") << QStringLiteral("600")
                  << QStringLiteral("$50") << QStringLiteral("$20 for 1,000 chips");
            for (const Money_Amount amount : Rounded_Payouts(t))
                if (amount > 0)
                    texts << Sheet_Amount(QStringLiteral("$"), amount);
        }
        if (kind == Sheet_Kind::Results) {
            for (const Entry_Result& r : Tourney_Entry_Results(t))
                if (r.Prize > 0)
                    texts << Sheet_Amount(QStringLiteral("$"), r.Prize);
            texts << QStringLiteral("Default: Results") << QStringLiteral("1st Anna Berg")
                  << QStringLiteral("2nd Ben Ortiz ") + Sheet_Amount(QStringLiteral("$"), Tourney_Entry_Results(t)[Keys[1]].Prize) + QStringLiteral(" 0 2 0")
                  << QStringLiteral("9 ($100)") << QStringLiteral("Prize pool: ") + Sheet_Amount(QStringLiteral("$"), Pool_Of(t));
        }
        if (kind == Sheet_Kind::Standings)
            texts << QStringLiteral("Spring: Standings");
        return texts;
    }
};

TEST_F(Print_Test, EverySheetNamesEveryPlayerAndAmountWithinThePage)
{
    struct Us_Locale {
        Us_Locale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
        ~Us_Locale() { QLocale::setDefault(QLocale::c()); }
    } amounts_as_in_the_us;
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.name);
        const QString pdf = folder.path() + QString::fromLatin1(c.name).replace(' ', '_') + QStringLiteral(".pdf");
        ASSERT_NO_FATAL_FAILURE(Print(c, pdf));
        EXPECT_TRUE(script.messages.empty()) << script.messages.back().text.toStdString();
        const Pdf_Read read = Read_Pdf(pdf);
        ASSERT_GT(read.pages, 0) << "no PDF, or pdftotext (poppler-utils) is missing";
        EXPECT_EQ(read.pages, c.pages);
        const QSizeF paper = QString::fromLatin1(c.paper) == QLatin1String("A4") ? QSizeF(595.3, 841.9) : QSizeF(612, 792);
        EXPECT_NEAR(read.page.width(), paper.width(), 1);
        EXPECT_NEAR(read.page.height(), paper.height(), 1);
        for (const QString& text : Expected(c.kind))
            EXPECT_TRUE(read.text.contains(text)) << text.toStdString() << " is not in: " << read.text.toStdString();
        // Every word inside the 12 mm margins (a point of slack for the font's edges).
        const double margin = 12 * 72 / 25.4 - 1;
        const QRectF inside(margin, margin, read.page.width() - 2 * margin, read.page.height() - 2 * margin);
        for (const Word& w : read.words)
            EXPECT_TRUE(inside.contains(w.box)) << w.text.toStdString() << " runs past the margin";
        if (qEnvironmentVariableIsSet("VELMORA_KEEP_PDF"))
            QFile::copy(pdf, qEnvironmentVariable("VELMORA_KEEP_PDF") + QFileInfo(pdf).fileName());
        const QVector<QImage> pictures = Pdf_Pictures(pdf, 40);
        ASSERT_EQ(pictures.size(), c.pages);
        for (const QImage& page : pictures)
            EXPECT_TRUE(Blank_Edges(page, 40, 10));
    }
}

// A PDF that cannot be written (here: its folder is a file) says why and
// leaves the dialog open with its choices; the next try writes it.
TEST_F(Print_Test, FailedWriteTellsWhyAndKeepsTheDialog)
{
    const QString not_a_folder = folder.Write(QStringLiteral("notes.txt"), "a file");
    script.files = {not_a_folder + QStringLiteral("/Structure.pdf"), folder.path() + QStringLiteral("Structure")};
    bool open_after_failure = false;
    script.modal_scripts[QStringLiteral("Print_Dlg")] = [&](QDialog* d) {
        auto* dlg = static_cast<TPrint_Dlg*>(d);
        dlg->Sheet_Combo->setCurrentIndex(static_cast<int>(Sheet_Kind::Structure));
        dlg->Start_Time->setTime(QTime(20, 15));
        dlg->Output_Btn->click();
        open_after_failure = dlg->isVisible() && dlg->Kind() == Sheet_Kind::Structure
                             && dlg->Start_Time->time() == QTime(20, 15);
        dlg->Output_Btn->click();
        return dlg->result();
    };
    form->findChild<Print_Commands*>()->Save_Pdf->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("Unable to write to"))) << script.messages[0].text.toStdString();
    EXPECT_TRUE(open_after_failure);
    EXPECT_EQ(folder.Read(QStringLiteral("notes.txt")), QByteArray("a file"));
    EXPECT_TRUE(Read_Pdf(folder.path() + QStringLiteral("Structure.pdf")).text.contains(QStringLiteral("Starts at 20:15")));
}

// A long sheet runs over pages, each with the table's heading, and a table
// too wide for the page takes smaller type: every name is still there, inside
// the margins.
TEST(Print_Painter, LongAndWideSheetsStayOnTheirPages)
{
    Sheet sheet{QStringLiteral("Standings"), QString(), {}, {}};
    Sheet_Table table;
    for (int c = 0; c < 10; ++c)
        table.columns.push_back({QStringLiteral("Column %1").arg(c), c > 1});
    for (int r = 0; r < 150; ++r) {
        QStringList cells{QString::number(r + 1), QStringLiteral("Player%1 Lastname%1").arg(r)};
        while (cells.size() < 10)
            cells << QStringLiteral("1,000,000");
        table.rows.push_back({cells});
    }
    sheet.tables = {table};
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/long.pdf");
    {
        QPdfWriter writer(pdf);
        Set_Up_Page(writer, Paper::Letter);
        Paint_Sheet(writer, sheet);
    }
    const Pdf_Read read = Read_Pdf(pdf);
    EXPECT_GT(read.pages, 2);
    EXPECT_EQ(read.text.count(QStringLiteral("Column 9")), read.pages);
    for (int r = 0; r < 150; ++r)
        EXPECT_TRUE(read.text.contains(QStringLiteral("Player%1 Lastname%1").arg(r))) << r;
    const double margin = 12 * 72 / 25.4 - 1;
    const QRectF inside(margin, margin, read.page.width() - 2 * margin, read.page.height() - 2 * margin);
    for (const Word& w : read.words)
        ASSERT_TRUE(inside.contains(w.box)) << w.text.toStdString();
}

// Names of the widest letters, as long as an entry's name may be, stand whole
// on the narrowest card (six to an A4 page), each word inside its own card.
TEST(Print_Painter, TheWidestNamesStandWholeInsideTheirCards)
{
    const QVector<Seat_Card> cards = {{QString(19, QLatin1Char('W')), 1, 1},
                                      {QStringLiteral("W ") + QString(17, QLatin1Char('W')), 1, 2},
                                      {QString(9, QChar(0xc6)) + QLatin1Char(' ') + QString(9, QChar(0xc6)), 1, 3},
                                      {QStringLiteral("M\u00e9lanie-Fran\u00e7oise M"), 2, 1}};
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/cards.pdf");
    {
        QPdfWriter writer(pdf);
        Set_Up_Page(writer, Paper::A4);
        Paint_Seat_Cards(writer, cards, 6, QStringLiteral("Friday Night"));
    }
    const Pdf_Read read = Read_Pdf(pdf);
    ASSERT_EQ(read.pages, 1);
    const double mm = 72 / 25.4;
    const QVector<QRectF> places =
        Card_Rects(QRectF(12 * mm, 12 * mm, read.page.width() - 24 * mm, read.page.height() - 24 * mm), 6);
    for (int i = 0; i < cards.size(); ++i)
        for (const QString& word : cards[i].name.split(QLatin1Char(' '))) {
            const auto found = std::find_if(read.words.begin(), read.words.end(), [&](const Word& w) { return w.text == word; });
            ASSERT_NE(found, read.words.end()) << word.toStdString() << " is not whole in: " << read.text.toStdString();
            EXPECT_TRUE(places[i].adjusted(mm, mm, -mm, -mm).contains(found->box)) << word.toStdString();
        }
}

// A break's note longer than the page is wide runs on over more lines: every
// word of it is on the sheet, in order, inside the margins.
TEST(Print_Painter, ALongNoteRunsOnInsteadOfBeingCut)
{
    CTourney t;
    t.Name = QStringLiteral("Friday Night");
    QStringList words;
    for (int i = 0; i < 60; ++i)
        words << QStringLiteral("colour%1").arg(i);
    t.Structure.Levels[0].Break_Minutes = 10;
    t.Structure.Levels[0].Break_Note = words.join(QLatin1Char(' '));
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/structure.pdf");
    {
        QPdfWriter writer(pdf);
        Set_Up_Page(writer, Paper::A4);
        Paint_Sheet(writer, Structure_Sheet(t, QTime(19, 0)));
    }
    const Pdf_Read read = Read_Pdf(pdf);
    const double margin = 12 * 72 / 25.4 - 1;
    const QRectF inside(margin, margin, read.page.width() - 2 * margin, read.page.height() - 2 * margin);
    qsizetype at = 0;
    for (const QString& word : words) {
        at = read.text.indexOf(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word)), at);
        ASSERT_GE(at, 0) << word.toStdString() << " is not in: " << read.text.toStdString();
    }
    for (const Word& w : read.words)
        EXPECT_TRUE(inside.contains(w.box)) << w.text.toStdString();
    EXPECT_TRUE(read.text.contains(QStringLiteral("2 19:30"))) << read.text.toStdString();
}

// Whatever the length of the table before it, a table's heading stands on
// the page of its first row.
TEST(Print_Painter, AHeadingGoesOverWithItsTable)
{
    Sheet_Table second{QStringLiteral("Payouts"), {{QStringLiteral("Place")}}, {{{QStringLiteral("first-row")}}}};
    for (int rows = 40; rows < 56; ++rows) {
        Sheet_Table first{QString(), {{QStringLiteral("Level")}}, {}};
        for (int r = 0; r < rows; ++r)
            first.rows.push_back({{QString::number(r)}});
        QTemporaryDir dir;
        const QString pdf = dir.path() + QStringLiteral("/sheet.pdf");
        {
            QPdfWriter writer(pdf);
            Set_Up_Page(writer, Paper::A4);
            Paint_Sheet(writer, Sheet{QStringLiteral("Structure"), QString(), {first, second}, {}});
        }
        const QString text = Read_Pdf(pdf).text;
        const qsizetype heading = text.indexOf(QStringLiteral("Payouts"));
        ASSERT_GE(heading, 0) << rows;
        EXPECT_FALSE(text.mid(heading, text.indexOf(QStringLiteral("first-row")) - heading).contains(QStringLiteral("Page")))
            << rows << " rows before: " << text.toStdString();
    }
}

// ---- the rules of the sheets ----

RC_GTEST_PROP(Print_Sheets, LevelsStartWhenTheOnesBeforeThemAndTheirBreaksEnd, ())
{
    CTourney t;
    const int used = *rc::gen::inRange(1, Level_Count + 1);
    t.Time = *rc::gen::inRange(Min_Level_Minutes, Max_Level_Minutes + 1);
    for (int i = 0; i < Level_Count; ++i) {
        t.Blinds[i] = i < used ? CBlindLevel{2 * (i + 1), i + 1} : CBlindLevel{0, 0};
        t.Structure.Levels[i].Minutes = *rc::gen::element(0, 0, 15, 45);
        t.Structure.Levels[i].Break_Minutes = *rc::gen::element(0, 0, 0, 10);
    }
    const QTime start(*rc::gen::inRange(0, 24), *rc::gen::inRange(0, 60));
    const Sheet sheet = Structure_Sheet(t, start);
    RC_ASSERT(!sheet.tables.isEmpty());
    const QVector<Sheet_Row>& rows = sheet.tables[0].rows;
    int level = 0;
    QTime at = start;
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& cells = rows[r].cells;
        RC_ASSERT(cells[1] == at.toString(QStringLiteral("HH:mm")));
        if (cells[0] == QLatin1String("Break")) {
            RC_ASSERT(level > 0 && t.Structure.Break_After(level - 1));
            RC_ASSERT(r > 0 && rows[r - 1].cells[0] == QString::number(level));
        } else {
            RC_ASSERT(cells[0] == QString::number(++level));
            RC_ASSERT(cells[5].toInt() == t.Structure.Level_Minutes(level - 1, t.Time));
            // a break follows every level that has one, but the last
            const bool next_is_break = r + 1 < rows.size() && rows[r + 1].cells[0] == QLatin1String("Break");
            RC_ASSERT(next_is_break == (level < used && t.Structure.Break_After(level - 1)));
        }
        at = at.addSecs(cells[5].toInt() * 60);
    }
    RC_ASSERT(level == used);
}

// The sheet's end is the model's: a schedule that runs out is said to, and an
// end past midnight names its day instead of a time that wraps.
RC_GTEST_PROP(Print_Sheets, TheEndOnTheSheetIsTheModelsAndNeverWraps, ())
{
    CTourney t;
    const int used = *rc::gen::inRange(1, Level_Count + 1);
    t.Time = *rc::gen::inRange(Min_Level_Minutes, Max_Level_Minutes + 1);
    for (int i = 0; i < Level_Count; ++i)
        t.Blinds[i] = i < used ? CBlindLevel{static_cast<int32_t>(10 << std::min(i, 20)), static_cast<int32_t>(5 << std::min(i, 20))}
                               : CBlindLevel{0, 0};
    t.Total = *rc::gen::inRange(2, 61);
    for (int i = 0; i < t.Total; ++i)
        qstrncpy(t.Players[i].Name, QStringLiteral("P%1,X").arg(i).toLatin1().constData(), sizeof t.Players[i].Name);
    const QTime start(*rc::gen::inRange(0, 24), *rc::gen::inRange(0, 60));
    const End_Estimate end = Estimate_End(Plan_Of(t, t.Time), Clock_Position{}, t.Structure.Level_Minutes(0, t.Time) * 60.0,
                                          Chips_In_Play(t), t.Total);
    RC_PRE(end.known);
    const QStringList notes = Structure_Sheet(t, start).notes.filter(QStringLiteral("Estimated end"));
    RC_ASSERT(notes.size() == 1);
    if (end.beyond_schedule) {
        RC_ASSERT(notes[0] == QStringLiteral("Estimated end: ") + Runs_Out_Text(end.last_level));
    } else {
        const qint64 at = QTime(0, 0).secsTo(start) + qRound64(end.minutes * 60);
        RC_ASSERT(notes[0].contains(QTime(0, 0).addSecs(static_cast<int>(at % 86400)).toString(QStringLiteral("HH:mm"))));
        RC_ASSERT(notes[0].contains(QStringLiteral("day")) == (at >= 86400));
    }
}

// The printed results say what the results report says, to the cent: the
// prizes of every row, the pool, what is still to be paid and the bounties
// (the winner's own included), with deals and any pool.
RC_GTEST_PROP(Print_Sheets, ResultsAgreeWithTheResultsReportToTheCent, ())
{
    QLocale::setDefault(QLocale::c());
    CTourney t;
    const int n = *rc::gen::inRange(2, 12);
    for (int i = 0; i < n; ++i)
        qstrncpy(t.Players[t.Total++].Name, QStringLiteral("P%1,X").arg(i).toLatin1().constData(), Entry_Name_Size);
    Money_Settings& s = t.Money.Settings;
    s.Currency = QStringLiteral("$");
    s.Buy_In = Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, 100'000'00));
    s.Bounty = Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, s.Buy_In.Cents() + 1));
    s.Rounding = *rc::gen::element(Money_Amount(), Money_Amount::Of_Cents(1), Money_Amount(5));
    Set_Pool(t, Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, Most_Money.Cents() + 1)));
    t.Prize[0] = 50, t.Prize[1] = 30, t.Prize[2] = 20;
    // The last `out` to go out took the places from the bottom, in any order
    // of entries; all out: the last one is the winner.
    const int out = *rc::gen::arbitrary<bool>() ? n : *rc::gen::inRange(0, n - 1);
    const bool credits = *rc::gen::arbitrary<bool>();
    const std::vector<int> order = *rc::gen::unique<std::vector<int>>(n, rc::gen::inRange(0, n));
    for (int k = 0; k < out; ++k) {
        CTourneyPlayer& p = t.Players[order[k]];
        p.Place = n - k;
        if (credits && *rc::gen::arbitrary<bool>())
            t.Money.Entries[QByteArray(p.Name)].Knocked_Out_By = t.Players[order[(k + 1) % n]].Name;
    }
    // A deal among some of those who were in at the end.
    if (out < n && *rc::gen::arbitrary<bool>())
        for (int k = out; k < n; ++k)
            t.Money.Entries[QByteArray(t.Players[order[k]].Name)].Deal =
                Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, Pool_Of(t).Cents() / n + 1));
    s.Deal_Kept = Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, 10000));

    const QString page = QString::fromUtf8(Results_Page(t));
    const Sheet sheet = Results_Sheet(t, QDate(2026, 3, 6));
    QStringList sums;
    for (const QString& note : sheet.notes)
        if (!note.startsWith(QLatin1String("The last ")))
            sums << note;
    RC_ASSERT(page.contains(QStringLiteral(R"(<p class="sums">)") + sums.join(QStringLiteral("<br>")) + QStringLiteral("</p>")));
    for (const Sheet_Row& row : sheet.tables[0].rows) {
        QString prize = row.cells[2];
        prize.remove(QStringLiteral(" (deal)"));
        const QString start = row.emphasis ? QStringLiteral(R"(<tr class="total"><td></td><td class="name">Total</td>)")
                                           : QStringLiteral(R"(<td class="name">)") + QString(row.cells[1]).replace(QLatin1Char(' '), QStringLiteral(",<wbr>")) + QStringLiteral("</td>");
        RC_ASSERT(page.contains(start + QStringLiteral(R"(<td class="num">)") + prize + QStringLiteral("</td>")));
    }
}

RC_GTEST_PROP(Sheet_Layout, CardsTileTheAreaWithoutOverlapping, ())
{
    const int per_page = *rc::gen::element(4, 6);
    const QRectF area(*rc::gen::inRange(0, 100), *rc::gen::inRange(0, 100), *rc::gen::inRange(200, 5000),
                      *rc::gen::inRange(200, 7000));
    const QVector<QRectF> cards = Card_Rects(area, per_page);
    RC_ASSERT(cards.size() == per_page);
    double covered = 0;
    for (int i = 0; i < cards.size(); ++i) {
        RC_ASSERT(area.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(cards[i]));
        covered += cards[i].width() * cards[i].height();
        for (int j = i + 1; j < cards.size(); ++j) {
            const QRectF both = cards[i].intersected(cards[j]);
            RC_ASSERT(both.width() * both.height() < 1e-6);
        }
    }
    RC_ASSERT(std::abs(covered - area.width() * area.height()) < 1e-3 * area.width() * area.height());
}

TEST(Print_Sheets, SeatCardsGoByTableThenSeatAndThePaperFollowsTheLocale)
{
    CTourney t;
    const struct { const char* key; int table, seat; } entries[] = {{"Cy,Z", 1, 0}, {"Al,B", 0, 2}, {"Bo,C", 0, 0}};
    for (const auto& e : entries) {
        const int slot = t.Total++;
        qstrncpy(t.Players[slot].Name, e.key, Entry_Name_Size);
        t.Players[slot].Table = e.table;
        t.Players[slot].Seat = e.seat;
    }
    const QVector<Seat_Card> cards = Seat_Cards(t);
    ASSERT_EQ(cards.size(), 3);
    EXPECT_EQ(cards[0].name, QStringLiteral("Bo C"));
    EXPECT_EQ(cards[1].name, QStringLiteral("Al B"));
    EXPECT_EQ(cards[1].seat, 3);
    EXPECT_EQ(cards[2].table, 2);

    EXPECT_EQ(Locale_Paper(QLocale(QLocale::English, QLocale::UnitedStates)), Paper::Letter);
    EXPECT_EQ(Locale_Paper(QLocale(QLocale::French, QLocale::Canada)), Paper::Letter);
    EXPECT_EQ(Locale_Paper(QLocale(QLocale::German, QLocale::Germany)), Paper::A4);
    EXPECT_EQ(Locale_Paper(QLocale(QLocale::English, QLocale::UnitedKingdom)), Paper::A4);
    // Amounts as the locale writes numbers, exact to the cent.
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(locale);
        for (const int64_t cents : {int64_t{123405}, int64_t{-5}, int64_t{99999999999}, int64_t{700}})
            EXPECT_EQ(Sheet_Amount(QStringLiteral("$"), Money_Amount::Of_Cents(cents)),
                      QStringLiteral("$") + locale.toString(cents / 100.0, 'f', cents % 100 != 0 ? 2 : 0))
                << locale.name().toStdString() << " " << cents;
    }
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Next_Quarter_Hour(QTime(19, 2)), QTime(19, 15));
    EXPECT_EQ(Next_Quarter_Hour(QTime(19, 15)), QTime(19, 15));
    EXPECT_EQ(Next_Quarter_Hour(QTime(23, 50)), QTime(0, 0));
}

} // namespace
