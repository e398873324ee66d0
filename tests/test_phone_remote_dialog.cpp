// The remote as the host meets it: the Phone View dialog approves the phones
// asking for it, lists those holding it and revokes them, and the pages are
// told at once.
#include "Display_fixture.h"
#include "Hostile_client.h"

#include "forms/dialogs/Phone_view_dlg.h"

#include "web/Phone_service.h"

#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

class Phone_Remote_Dialog_Test : public Display_Fixture {};

// A page on a connection of its own (blocking steps: the server has its own thread).
struct Page : Hostile::Raw_Page {
    Page(quint16 port, const std::string& from = "127.0.0.1") { EXPECT_TRUE(Open(from, port)); }
    QJsonObject Say(const QByteArray& json)
    {
        Send(Hostile::Masked(0x1, json));
        return Next();
    }
    QJsonObject Next() { return Next_Reply().isEmpty() ? QJsonObject() : last; }
};

QString Type(const QJsonObject& o) { return o.value(QStringLiteral("type")).toString(); }

// A phone asks and shows a code, the dialog lists and approves it; the
// dialog lists the holders and revokes one or, with a new PIN, all, and
// their pages are told at once.
TEST_F(Phone_Remote_Dialog_Test, TheDialogApprovesListsAndRevokesThePhonesHoldingTheRemote)
{
    Start_Tourney(Chips_And_Prizes());
    ASSERT_TRUE(form->Set_Phone_View(true, 0));
    const quint16 port = form->Phone_Service()->Port();
    Page asking(port, "127.0.0.5"), with_pin(port, "127.0.0.6");
    const QString code = asking.Say(R"({"ask":"remote"})").value(QStringLiteral("code")).toString();
    const QString pin_token = with_pin.Say(QStringLiteral(R"({"pin":"%1"})").arg(form->Phone_Service()->Pin()).toUtf8())
                                  .value(QStringLiteral("token")).toString();
    EXPECT_EQ(pin_token.size(), Phone_Remote::Token_Chars);

    QString approved_token;
    script.modal_scripts[QStringLiteral("Phone_View_Dlg")] = [&](QDialog* d) {
        auto* dlg = static_cast<TPhone_View_Dlg*>(d);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg->Requests_List->count() == 1 && dlg->Holders_List->count() == 1; }, 3000));
        EXPECT_TRUE(dlg->Requests_List->item(0)->text().startsWith(code));
        EXPECT_FALSE(dlg->Approve_Button->isEnabled());
        dlg->Requests_List->setCurrentRow(0);
        dlg->Approve_Button->click();
        approved_token = asking.Next().value(QStringLiteral("token")).toString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg->Holders_List->count() == 2; }, 3000));
        EXPECT_EQ(dlg->Requests_List->count(), 0);

        // Revoking the PIN's phone locks its page at once.
        dlg->Holders_List->setCurrentRow(0);
        dlg->Revoke_Button->click();
        EXPECT_EQ(Type(with_pin.Next()), QStringLiteral("revoked"));
        EXPECT_EQ(Type(with_pin.Say(R"({"command":"next"})")), QStringLiteral("locked"));
        EXPECT_EQ(dlg->Holders_List->count(), 1);
        EXPECT_EQ(Type(asking.Say(R"({"command":"next"})")), QStringLiteral("done"));

        // A new PIN takes the remote from every phone.
        dlg->New_Pin_Button->click();
        EXPECT_EQ(Type(asking.Next()), QStringLiteral("revoked"));
        EXPECT_EQ(dlg->Holders_List->count(), 0);
        EXPECT_EQ(dlg->Pin_Label->text(), form->Phone_Service()->Pin());
        return int(QDialog::Accepted);
    };
    form->PhoneView1->trigger();
    EXPECT_EQ(approved_token.size(), Phone_Remote::Token_Chars);
    EXPECT_NE(approved_token, pin_token);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->CurrentLevel == 1; }, 3000));
    Page late(port, "127.0.0.5");
    EXPECT_EQ(Type(late.Say(QStringLiteral(R"({"token":"%1"})").arg(approved_token).toUtf8())), QStringLiteral("revoked"));
}

} // namespace
