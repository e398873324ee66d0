#pragma once
// The player entry dialog: adds a player to the player database or changes
// one. Created once, when first needed, and shown modally by the Players page, which
// sets AddMode and EditedRecord before showing it.
#include <QDialog>
#include <QList>
#include <QString>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
struct CPlayer;

class TPlayerEntry_Form : public QDialog {
    Q_OBJECT
public:
    explicit TPlayerEntry_Form(QWidget* parent = nullptr);
    ~TPlayerEntry_Form() override;

    // true: a new player ("New..."); false: the record under the database's
    // Cursor ("Edit...").
    bool AddMode = true;
    // Add mode: the scratch record that is filled and handed to the
    // database; edit mode: the database record, changed in place.
    CPlayer* EditedRecord = nullptr;
    // A box changed since the dialog was shown and the change is not stored.
    bool Modified = false;

    // ---- components ----
    QLineEdit* First_Edit = nullptr;
    QLineEdit* Last_Edit = nullptr;
    QLineEdit* Aka_Edit = nullptr;
    QLineEdit* Phone_Edit = nullptr;
    QLineEdit* Cell_Edit = nullptr;
    QPushButton* Save_Button = nullptr;
    QPushButton* Close_Button = nullptr;
    // Add mode only: stores the player like "Save" and leaves the dialog
    // open and empty for the next one.
    QPushButton* Save_New_Button = nullptr;

    // ---- command list ----
    QList<QAction*> ActionList1;
    QAction* Add_Player = nullptr;
    QAction* Edit_Player = nullptr;
    QAction* Change_Made = nullptr;
    QAction* Add_Next_Player = nullptr; // "Save and New"

    // The command "Save" runs in the current mode.
    QAction* Save_Action() const { return save_action_; }

    void Close_ButtonClick();

public slots:
    // Every way of closing (Close, the close box, Esc) asks about unsaved
    // changes first.
    void reject() override;

    // A save that stores a new player ends here; after "Save and New" the
    // dialog starts over instead of closing.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void Add_PlayerExecute();
    void Edit_PlayerExecute();
    void Change_MadeExecute();
    void Add_Next_PlayerExecute();

    // The texts the record would hold pass the rules for a stored player.
    bool Check_Entry(const QString& caption, bool key_changes);
    // No other record holds the typed key; the database's Cursor is kept.
    bool Duplicate_Check(int own_slot);
    void Copy_To_Record();

    QAction* Make_Action(const char* name, const QString& caption, void (TPlayerEntry_Form::*handler)());
    void Build_Layout();

    QAction* save_action_ = nullptr;
    bool saved_ = false; // the last save stored the player (or could never store it)
    bool next_after_save_ = false; // "Save and New" is running
};

extern TPlayerEntry_Form* PlayerEntry_Form;
