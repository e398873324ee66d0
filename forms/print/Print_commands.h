#pragma once
// File, "Print..." and "Save as PDF...": both open the print dialog
// (Print_dlg.h) on the tournament as the pages show it.
#include <QObject>

class QAction;
class TMainForm;
enum class Print_Output;

class Print_Commands : public QObject {
    Q_OBJECT
public:
    explicit Print_Commands(TMainForm* form);

    QAction* Print_Sheets = nullptr;   // "Print..."
    QAction* Save_Pdf = nullptr;       // "Save as PDF..."
    QAction* Print1 = nullptr;         // File menu items
    QAction* SavePdf1 = nullptr;

private:
    void Open_Dialog(Print_Output output);
    TMainForm* form_;
};
