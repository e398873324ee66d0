#include "forms/dialogs/Phone_view_dlg.h"

#include "forms/main_window/Main_form.h"
#include "forms/widgets/Spin_box.h"
#include "platform/Guard.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "web/Phone_service.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int Qr_Side = 220;
}

TPhone_View_Dlg::TPhone_View_Dlg(TMainForm* form) : QDialog(form), form_(form)
{
    setObjectName(QStringLiteral("Phone_View_Dlg"));
    setWindowTitle(tr("Phone View"));

    Serve_Check = new QCheckBox(tr("Show the clock on phones in this network"), this);
    Serve_Check->setObjectName(QStringLiteral("Serve_Check"));
    Port_Spin = new Spin_Box(this);
    Port_Spin->setObjectName(QStringLiteral("Port_Spin"));
    Port_Spin->setRange(1024, 65535);
    Port_Spin->Set_Value(Profile(Settings_Path()).Read_Int("Phone View", "Port", 8080));
    Address_Label = new QLabel(this);
    Address_Label->setObjectName(QStringLiteral("Address_Label"));
    Address_Label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Qr_Label = new QLabel(this);
    Qr_Label->setObjectName(QStringLiteral("Qr_Label"));
    Qr_Label->setFixedSize(Qr_Side, Qr_Side);
    Qr_Label->setAlignment(Qt::AlignCenter);
    Pin_Label = new QLabel(this);
    Pin_Label->setObjectName(QStringLiteral("Pin_Label"));
    QFont big = Pin_Label->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    Pin_Label->setFont(big);
    Status_Label = new QLabel(this);
    Status_Label->setObjectName(QStringLiteral("Status_Label"));
    Status_Label->setWordWrap(true);
    Close_Button = new QPushButton(tr("Close"), this);
    Close_Button->setObjectName(QStringLiteral("Close_Button"));
    Close_Button->setDefault(true);

    auto* fields = new QFormLayout;
    fields->addRow(tr("Port:"), Port_Spin);
    fields->addRow(tr("Address:"), Address_Label);
    fields->addRow(tr("Remote PIN:"), Pin_Label);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Close_Button);
    auto* all = new QVBoxLayout(this);
    all->addWidget(Serve_Check);
    all->addLayout(fields);
    all->addWidget(Qr_Label, 0, Qt::AlignHCenter);
    all->addWidget(Status_Label);
    all->addLayout(buttons);

    Serve_Check->setChecked(form_->Phone_Service()->Is_Running());
    connect(Serve_Check, &QCheckBox::toggled, this, [this] { Guarded([this] { Apply(); }); });
    // A new port while the view is on: the server moves to it.
    connect(Port_Spin, &QSpinBox::editingFinished, this, [this] {
        if (Serve_Check->isChecked() && Port_Spin->Value() != form_->Phone_Service()->Port())
            Guarded([this] { Apply(); });
    });
    connect(Close_Button, &QPushButton::clicked, this, &QDialog::accept);
    // Too many wrong PINs in a row: the new one is shown at once.
    connect(form_, &TMainForm::Phone_Pin_Changed, this, &TPhone_View_Dlg::Show_State);
    Show_State();
}

void TPhone_View_Dlg::Apply()
{
    const bool on = Serve_Check->isChecked();
    if (!form_->Set_Phone_View(on, Port_Spin->Value())) {
        const QSignalBlocker quiet(Serve_Check);
        Serve_Check->setChecked(false);
    }
    Show_State();
}

void TPhone_View_Dlg::Show_State()
{
    const Phone_Service_Interface* server = form_->Phone_Service();
    if (server->Is_Running()) {
        const QString address = form_->Phone_Address();
        Address_Label->setText(address);
        Pin_Label->setText(server->Pin());
        const QImage qr = form_->Phone_Qr();
        Qr_Label->setPixmap(qr.isNull() ? QPixmap()
                                        : QPixmap::fromImage(qr.scaled(Qr_Side, Qr_Side, Qt::KeepAspectRatio,
                                                                       Qt::FastTransformation)));
        Status_Label->setText(tr("Players open the address or scan the code; the PIN unlocks the remote "
                                 "(Start/Stop, next and previous level). A new PIN is drawn at every start, "
                                 "and after many wrong ones."));
    } else {
        Address_Label->setText(tr("(off)"));
        Pin_Label->setText(QStringLiteral("-"));
        Qr_Label->clear();
        const QString error = server->Error();
        Status_Label->setText(error.isEmpty() ? tr("The phone view is off.")
                                              : tr("The phone view could not start on port %1: %2")
                                                    .arg(Port_Spin->Value())
                                                    .arg(error));
    }
}
