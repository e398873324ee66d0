#pragma once
// The phone view's dialog (Tools, "Phone View..."): turns the server on and
// off, chooses its port, and shows the address as text and as a QR code, and
// the PIN of the operator's remote; the phones asking for the remote (the
// host approves or refuses each) and those holding it (the host revokes any
// or all, or draws a new PIN). Changes take effect at once.
#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class Spin_Box;
class TMainForm;

class TPhone_View_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit TPhone_View_Dlg(TMainForm* form);

    QCheckBox* Serve_Check = nullptr;
    Spin_Box* Port_Spin = nullptr;
    QLabel* Address_Label = nullptr;
    QLabel* Qr_Label = nullptr;
    QLabel* Pin_Label = nullptr;
    QLabel* Status_Label = nullptr;
    QListWidget* Requests_List = nullptr;   // item data: the request's id
    QPushButton* Approve_Button = nullptr;
    QPushButton* Refuse_Button = nullptr;
    QListWidget* Holders_List = nullptr;    // item data: the holder's id
    QPushButton* Revoke_Button = nullptr;
    QPushButton* Revoke_All_Button = nullptr;
    QPushButton* New_Pin_Button = nullptr;
    QPushButton* Close_Button = nullptr;

    // Turns the view on or off with the port in the box, as the check box does.
    void Apply();

private:
    void Show_State();
    void Show_Remote();
    void Build_Remote_Part(class QVBoxLayout* all);
    // The id of the list's current item (-1: none).
    static int Chosen(const QListWidget* list);
    TMainForm* form_;
};
