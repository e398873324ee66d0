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
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
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
    // The view on the left, the remote's phones on the right.
    auto* view = new QVBoxLayout;
    view->addWidget(Serve_Check);
    view->addLayout(fields);
    view->addWidget(Qr_Label, 0, Qt::AlignHCenter);
    view->addWidget(Status_Label);
    view->addStretch();
    auto* remote = new QVBoxLayout;
    Build_Remote_Part(remote);
    auto* columns = new QHBoxLayout;
    columns->addLayout(view, 1);
    columns->addLayout(remote, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
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
    connect(form_, &TMainForm::Phone_Remote_Changed, this, &TPhone_View_Dlg::Show_Remote);
    Show_State();
}

void TPhone_View_Dlg::Build_Remote_Part(QVBoxLayout* all)
{
    auto make_button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    auto make_list = [this](const char* name) {
        auto* l = new QListWidget(this);
        l->setObjectName(QLatin1String(name));
        l->setMinimumWidth(220);
        return l;
    };
    Requests_List = make_list("Requests_List");
    Approve_Button = make_button(tr("Approve"), "Approve_Button");
    Refuse_Button = make_button(tr("Refuse"), "Refuse_Button");
    Holders_List = make_list("Holders_List");
    Revoke_Button = make_button(tr("Revoke"), "Revoke_Button");
    Revoke_All_Button = make_button(tr("Revoke All"), "Revoke_All_Button");
    New_Pin_Button = make_button(tr("New PIN"), "New_Pin_Button");

    auto* asking = new QGroupBox(tr("Phones asking for the remote (approve the code the phone shows)"), this);
    auto* asking_buttons = new QVBoxLayout;
    asking_buttons->addWidget(Approve_Button);
    asking_buttons->addWidget(Refuse_Button);
    asking_buttons->addStretch();
    auto* asking_row = new QHBoxLayout(asking);
    asking_row->addWidget(Requests_List);
    asking_row->addLayout(asking_buttons);
    auto* holding = new QGroupBox(tr("Phones holding the remote"), this);
    auto* holding_buttons = new QVBoxLayout;
    holding_buttons->addWidget(Revoke_Button);
    holding_buttons->addWidget(Revoke_All_Button);
    holding_buttons->addWidget(New_Pin_Button);
    holding_buttons->addStretch();
    auto* holding_row = new QHBoxLayout(holding);
    holding_row->addWidget(Holders_List);
    holding_row->addLayout(holding_buttons);
    all->addWidget(asking);
    all->addWidget(holding);

    Phone_Service_Interface* server = form_->Phone_Service();
    connect(Approve_Button, &QPushButton::clicked, this, [this, server] {
        if (const int id = Chosen(Requests_List); id >= 0)
            server->Approve(id);
        Show_Remote();
    });
    connect(Refuse_Button, &QPushButton::clicked, this, [this, server] {
        if (const int id = Chosen(Requests_List); id >= 0)
            server->Refuse(id);
        Show_Remote();
    });
    connect(Revoke_Button, &QPushButton::clicked, this, [this, server] {
        if (const int id = Chosen(Holders_List); id >= 0)
            server->Revoke(id);
        Show_Remote();
    });
    connect(Revoke_All_Button, &QPushButton::clicked, this, [this, server] {
        server->Revoke(-1);
        Show_Remote();
    });
    connect(New_Pin_Button, &QPushButton::clicked, this, [this, server] {
        server->Draw_New_Pin();
        Show_State();
    });
    connect(Requests_List, &QListWidget::currentRowChanged, this, &TPhone_View_Dlg::Show_Remote);
    connect(Holders_List, &QListWidget::currentRowChanged, this, &TPhone_View_Dlg::Show_Remote);
}

int TPhone_View_Dlg::Chosen(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TPhone_View_Dlg::Show_Remote()
{
    const Phone_Service_Interface* server = form_->Phone_Service();
    const bool on = server->Is_Running();
    // The lists are filled anew; the chosen rows stay chosen.
    auto fill = [](QListWidget* list, const QList<std::pair<int, QString>>& rows) {
        const int chosen = Chosen(list);
        const QSignalBlocker quiet(list);
        list->clear();
        for (const auto& [id, text] : rows) {
            auto* item = new QListWidgetItem(text, list);
            item->setData(Qt::UserRole, id);
            if (id == chosen)
                list->setCurrentItem(item);
        }
    };
    QList<std::pair<int, QString>> asking, holding;
    const QString time_format = QStringLiteral("HH:mm");
    if (on) {
        for (const Phone_Remote::Request_Info& r : server->Remote_Requests())
            asking.append({r.id, tr("%1   from %2, at %3").arg(r.code, r.source, r.since.toString(time_format))});
        for (const Phone_Remote::Holder_Info& h : server->Remote_Holders())
            holding.append({h.id, tr("%1, %2 at %3")
                                      .arg(h.source, h.approved ? tr("approved") : tr("with the PIN"),
                                           h.since.toString(time_format))});
    }
    fill(Requests_List, asking);
    fill(Holders_List, holding);
    Approve_Button->setEnabled(Chosen(Requests_List) >= 0);
    Refuse_Button->setEnabled(Chosen(Requests_List) >= 0);
    Revoke_Button->setEnabled(Chosen(Holders_List) >= 0);
    Revoke_All_Button->setEnabled(Holders_List->count() > 0);
    New_Pin_Button->setEnabled(on);
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
        Status_Label->setText(tr("Players open the address or scan the code. The PIN, or your approval of the "
                                 "code a phone shows, gives that phone the remote (Start/Stop, next and previous "
                                 "level) until you revoke it. A new PIN is drawn at every start, and after many "
                                 "wrong ones."));
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
    Show_Remote();
}
