#include "forms/print/Print_dlg.h"

#include "forms/dialogs/Season_commands.h"
#include "forms/main_window/Main_form.h"
#include "forms/print/Sheet_painter.h"
#include "model/Season.h"
#include "model/Season_standings.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Velmora_error.h"
#include "reports/Print_sheets.h"

#include <QBuffer>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

const char* const Sheet_Names[] = {"Seat cards", "The structure", "The results", "The season's standings"};
const char* const File_Names[] = {"Seat cards", "Structure", "Results", "Standings"};

// The message a preview page shows when the sheet cannot be made.
void Paint_Problem(QPrinter* printer, const QString& text)
{
    QPainter p(printer);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(12);
    p.setFont(f);
    const QRect r = printer->pageLayout().paintRectPixels(printer->logicalDpiX());
    p.drawText(QRect(0, 0, r.width(), r.height() / 3), Qt::AlignCenter | Qt::TextWordWrap, text);
}

} // namespace

TPrint_Dlg::TPrint_Dlg(TMainForm* form, Print_Output output)
    : QDialog(form), form_(form), output_(output), preview_printer_(std::make_unique<QPrinter>(QPrinter::ScreenResolution))
{
    setObjectName(QStringLiteral("Print_Dlg"));
    setWindowTitle(output == Print_Output::Printer ? tr("Print") : tr("Save as PDF"));
    resize(940, 680);

    Sheet_Combo = new QComboBox(this);
    Sheet_Combo->setObjectName(QStringLiteral("Sheet_Combo"));
    for (const char* name : Sheet_Names)
        Sheet_Combo->addItem(tr(name));
    Cards_Combo = new QComboBox(this);
    Cards_Combo->setObjectName(QStringLiteral("Cards_Combo"));
    Cards_Combo->addItem(tr("4 to a page"), 4);
    Cards_Combo->addItem(tr("6 to a page"), 6);
    Start_Time = new QTimeEdit(Next_Quarter_Hour(QTime::currentTime()), this);
    Start_Time->setObjectName(QStringLiteral("Start_Time"));
    Start_Time->setDisplayFormat(QStringLiteral("HH:mm"));
    Season_Combo = new QComboBox(this);
    Season_Combo->setObjectName(QStringLiteral("Season_Combo"));
    Season_Combo->addItems(Season_Names());
    const QString current = form->Season_Tools() ? form->Season_Tools()->Current_Season() : QString();
    if (Season_Combo->findText(current) >= 0)
        Season_Combo->setCurrentText(current);
    Paper_Combo = new QComboBox(this);
    Paper_Combo->setObjectName(QStringLiteral("Paper_Combo"));
    Paper_Combo->addItem(QStringLiteral("A4"), static_cast<int>(Paper::A4));
    Paper_Combo->addItem(QStringLiteral("Letter"), static_cast<int>(Paper::Letter));
    Paper_Combo->setCurrentIndex(Locale_Paper(QLocale()) == Paper::Letter ? 1 : 0);

    auto* choices = new QFormLayout;
    choices->addRow(tr("Sheet:"), Sheet_Combo);
    choices->addRow(tr("Seat cards:"), Cards_Combo);
    choices->addRow(tr("Starts at:"), Start_Time);
    choices->addRow(tr("Season:"), Season_Combo);
    choices->addRow(tr("Paper:"), Paper_Combo);

    Output_Btn = new QPushButton(output == Print_Output::Printer ? tr("Print...") : tr("Save..."), this);
    Output_Btn->setObjectName(QStringLiteral("Output_Btn"));
    Output_Btn->setDefault(true);
    Close_Btn = new QPushButton(tr("Close"), this);
    Close_Btn->setObjectName(QStringLiteral("Close_Btn"));
    auto* left = new QVBoxLayout;
    left->addLayout(choices);
    left->addStretch();
    left->addWidget(Output_Btn);
    left->addWidget(Close_Btn);

    Set_Up_Page(*preview_printer_, Chosen_Paper());
    Preview = new QPrintPreviewWidget(preview_printer_.get(), this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    Preview->setZoomMode(QPrintPreviewWidget::FitInView);
    auto* row = new QHBoxLayout(this);
    row->addLayout(left);
    row->addWidget(Preview, 1);

    connect(Preview, &QPrintPreviewWidget::paintRequested, this, &TPrint_Dlg::Paint_Preview);
    auto changed = [this] { Update_Choices(); };
    connect(Sheet_Combo, &QComboBox::currentIndexChanged, this, changed);
    connect(Cards_Combo, &QComboBox::currentIndexChanged, this, changed);
    connect(Season_Combo, &QComboBox::currentIndexChanged, this, changed);
    connect(Paper_Combo, &QComboBox::currentIndexChanged, this, changed);
    connect(Start_Time, &QTimeEdit::timeChanged, this, changed);
    connect(Output_Btn, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            if (Output())
                accept();
        });
    });
    connect(Close_Btn, &QPushButton::clicked, this, &QDialog::reject);
    Update_Choices();
}

TPrint_Dlg::~TPrint_Dlg() = default;

Sheet_Kind TPrint_Dlg::Kind() const { return static_cast<Sheet_Kind>(Sheet_Combo->currentIndex()); }

Paper TPrint_Dlg::Chosen_Paper() const { return static_cast<Paper>(Paper_Combo->currentData().toInt()); }

void TPrint_Dlg::Update_Choices()
{
    Cards_Combo->setEnabled(Kind() == Sheet_Kind::Seat_Cards);
    Start_Time->setEnabled(Kind() == Sheet_Kind::Structure);
    Season_Combo->setEnabled(Kind() == Sheet_Kind::Standings);
    Set_Up_Page(*preview_printer_, Chosen_Paper());
    Preview->updatePreview();
}

void TPrint_Dlg::Paint(QPagedPaintDevice& device) const
{
    const CTourney& t = *form_->Current_Tourney;
    switch (Kind()) {
    case Sheet_Kind::Seat_Cards: {
        const QVector<Seat_Card> cards = Seat_Cards(t);
        if (cards.isEmpty())
            throw Velmora_Error(tr("There are no players in the tournament to make seat cards for."));
        Paint_Seat_Cards(device, cards, Cards_Combo->currentData().toInt(), Shown_Tourney_Name(t.Name));
        break;
    }
    case Sheet_Kind::Structure: Paint_Sheet(device, Structure_Sheet(t, Start_Time->time())); break;
    case Sheet_Kind::Results: Paint_Sheet(device, Results_Sheet(t, Tourney_File_Date(form_->Last_Tourney))); break;
    case Sheet_Kind::Standings: {
        if (Season_Combo->currentText().isEmpty())
            throw Velmora_Error(tr("There is no season yet: Tools, Season... makes one."));
        const Season season = Load_Season(Season_Combo->currentText());
        Paint_Sheet(device, Standings_Sheet(season, Season_Standings(season)));
        break;
    }
    }
}

void TPrint_Dlg::Paint_Preview(QPrinter* printer)
{
    try {
        Paint(*printer);
    } catch (const std::exception& e) {
        Paint_Problem(printer, QString::fromLocal8Bit(e.what()));
    }
}

bool TPrint_Dlg::Output() { return output_ == Print_Output::Printer ? Print() : Save_Pdf(); }

bool TPrint_Dlg::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    Set_Up_Page(printer, Chosen_Paper());
    printer.setDocName(Default_File_Name());
    if (!host().Choose_Printer(this, printer))
        return false;
    Paint(printer);
    if (printer.printerState() == QPrinter::Error)
        throw Velmora_Error(tr("Unable to print: the printer reported an error"));
    return true;
}

bool TPrint_Dlg::Save_Pdf()
{
    File_Dialog d;
    d.title = tr("Save as PDF");
    d.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
    d.initial_dir = Reports_Folder() + Default_File_Name() + QStringLiteral(".pdf");
    d.default_ext = QStringLiteral("pdf");
    const QString chosen = host().Save_File(this, d);
    if (chosen.isEmpty())
        return false;
    const QString path = With_Default_Ext(chosen, d.default_ext);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setCreator(QStringLiteral("Velmora Home Edition"));
        pdf.setTitle(Default_File_Name());
        Set_Up_Page(pdf, Chosen_Paper());
        Paint(pdf);
    }
    Write_File_Atomic(path, bytes.data());
    written_ = path;
    return true;
}

QString TPrint_Dlg::Default_File_Name() const
{
    QString name = Shown_Tourney_Name(form_->Current_Tourney->Name);
    if (Kind() == Sheet_Kind::Standings)
        name = Season_Combo->currentText();
    name.replace(QLatin1Char('/'), QLatin1Char(' '));
    return (name + QLatin1Char(' ') + QString::fromLatin1(File_Names[static_cast<int>(Kind())])).simplified();
}
