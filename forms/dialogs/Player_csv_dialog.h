#pragma once
// Players in and out by CSV (File, "Import Players..." / "Export Players...").
// An import shows its preview first: every row of the file with what will
// happen to it and why; the database is written only when the operator
// confirms with "Import".
#include "model/Player_csv.h"

#include <QDialog>
#include <QObject>

class QAction;
class QLabel;
class QPushButton;
class QTableWidget;
class TMainForm;

class TPlayer_Csv_Dlg : public QDialog {
    Q_OBJECT
public:
    TPlayer_Csv_Dlg(QWidget* parent, const QString& file, const Import_Preview& preview);

    // The preview with the near-duplicates the operator ticked as added.
    Import_Preview Chosen() const;

    QLabel* Summary_Label = nullptr;   // "3 to add, 1 already there, 2 cannot be stored"
    QTableWidget* Preview_Grid = nullptr;
    QPushButton* Import_Btn = nullptr; // disabled when nothing would be added
    QPushButton* Cancel_Btn = nullptr;

private:
    Import_Preview preview_;
};

class Player_Csv_Commands : public QObject {
    Q_OBJECT
public:
    explicit Player_Csv_Commands(TMainForm* form);

    QAction* Import_Players = nullptr;
    QAction* Export_Players = nullptr;
    QAction* ImportPlayers1 = nullptr; // File menu items
    QAction* ExportPlayers1 = nullptr;

private:
    void Import_PlayersExecute();
    void Export_PlayersExecute();
    TMainForm* form_;
};
