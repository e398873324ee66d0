#pragma once
// The phone view's dialog (Tools, "Phone View..."): turns the server on and
// off, chooses its port, and shows the address as text and as a QR code, and
// the PIN of the operator's remote. Changes take effect at once.
#include <QDialog>

class QCheckBox;
class QLabel;
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
    QPushButton* Close_Button = nullptr;

    // Turns the view on or off with the port in the box, as the check box does.
    void Apply();

private:
    void Show_State();
    TMainForm* form_;
};
