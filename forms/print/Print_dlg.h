#pragma once
// The print dialog of File, "Print..." and "Save as PDF...": one of four
// sheets (seat cards, the structure, the results, the season's standings),
// its few choices, the paper and a preview of every page. Printing goes
// through the host's print dialog; a PDF is written whole through a temporary
// file. When either fails, a message says why and the dialog stays open with
// every choice as it was.
#include "reports/Sheet_layout.h"

#include <QDialog>
#include <QTime>
#include <memory>

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QTimeEdit;
class TMainForm;

enum class Sheet_Kind { Seat_Cards, Structure, Results, Standings };
enum class Print_Output { Printer, Pdf };

class TPrint_Dlg : public QDialog {
    Q_OBJECT
public:
    TPrint_Dlg(TMainForm* form, Print_Output output);
    ~TPrint_Dlg() override;

    QComboBox* Sheet_Combo = nullptr;   // the four sheets, in Sheet_Kind order
    QComboBox* Cards_Combo = nullptr;   // "4 to a page", "6 to a page"
    QTimeEdit* Start_Time = nullptr;    // when level 1 starts
    QComboBox* Season_Combo = nullptr;  // the stored seasons
    QComboBox* Paper_Combo = nullptr;   // "A4", "Letter" (the locale's first)
    QPrintPreviewWidget* Preview = nullptr;
    QPushButton* Output_Btn = nullptr;  // "Print..." or "Save..."
    QPushButton* Close_Btn = nullptr;

    Sheet_Kind Kind() const;
    Paper Chosen_Paper() const;
    // Paints the chosen sheet; raises Velmora_Error when there is nothing to
    // print or the device refuses.
    void Paint(QPagedPaintDevice& device) const;
    // What Output_Btn does: print or save; false when the operator cancelled.
    bool Output();
    // Where the last PDF was written.
    QString Written() const { return written_; }

private:
    void Update_Choices();
    void Paint_Preview(QPrinter* printer);
    bool Print();
    bool Save_Pdf();
    QString Default_File_Name() const;

    TMainForm* form_;
    Print_Output output_;
    std::unique_ptr<QPrinter> preview_printer_;
    QString written_;
};
