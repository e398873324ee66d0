#pragma once
// The seating dialog: one grid row per tournament player with the table and
// seat, edited cell by cell through in-place spin editors, or drawn at random
// for a chosen number of tables. Created once, when first needed, and shown modally
// from the Players page ("Edit..."). Closing it (Close, the close box, Esc)
// copies the grid into the tournament entries, stores the entry file and runs
// the main window's Save_Setup, so the table lists show the new seating.
#include <QDateTime>
#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class Spin_Box;
class CTourney;

class TSeat_Form : public QDialog {
    Q_OBJECT
public:
    explicit TSeat_Form(QWidget* parent = nullptr);
    ~TSeat_Form() override;

    // Grid rows in use: the players plus the header row, 0 without players.
    int PlayerRows = 0;

    // The local date and time a press of "Random" takes its seed from.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // ---- components ----
    QLabel* Label1 = nullptr;          // "Seating Assignment:"
    QTableWidget* StringGrid1 = nullptr;
    Spin_Box* Table_Spin = nullptr;    // in-place editor, column 1
    Spin_Box* Seat_Spin = nullptr;     // in-place editor, column 2
    QGroupBox* GroupBox1 = nullptr;    // "Random Seating "
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;          // "Number of Tables:"
    Spin_Box* Tables = nullptr;
    QPushButton* Random_Btn = nullptr;
    QPushButton* Button2 = nullptr;    // Close
    QPushButton* Balance_Btn = nullptr; // evens out the tables after knock-outs

    // ---- command list ----
    QList<QAction*> ActionList1;
    QAction* Load_Grid = nullptr;

    // The grid's text at column, row (row 0 is the header, column 0 the names).
    QString Cell(int column, int row) const;

    // Event handlers (each runs inside the error guard when Qt calls it).
    void StringGrid1Click();
    void Seat_SpinChange();
    void Table_SpinChange();
    void Random_BtnClick();
    void Button2Click();
    void Balance_BtnClick();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void Load_GridExecute();

    void Build_Layout();
    void Set_Cell(int column, int row, const QString& text);
    void Show_Entries();                 // one row per entry in use, from row 1
    void Lay_Over_Current_Cell(Spin_Box* editor);
    void Hide_Editors();
    CTourney* Tourney() const;
    void Grid_Seats_Into_Entries();      // the table and seat cells, as numbers

    bool showing_ = false;               // between FormShow and FormClose
    bool loading_ = false;               // the program moves the current cell
};

extern TSeat_Form* Seat_Form;
