// The remote as the host and the phones meet it: the Phone View dialog
// approves, lists and revokes; and the page in a real browser (Chromium,
// headless, over its debugging protocol on loopback), where the PIN unlocks
// the remote once and the page keeps a token, not the PIN, so a reload still
// holds the remote (skipped where no Chromium is installed).
#include "Display_fixture.h"
#include "Hostile_client.h"

#include "forms/dialogs/Phone_view_dlg.h"

#include "web/Phone_service.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QMap>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWebSocket>

namespace {

// One page of a headless Chromium; Eval runs an expression in it.
class Browser_Page {
public:
    static QString Installed()
    {
        QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        const bool full = !browser.isEmpty();
        if (!full)
            browser = QStandardPaths::findExecutable(QStringLiteral("chromium-headless-shell"));
        if (!full && QFileInfo(QStringLiteral("/usr/lib/chromium/chromium-headless-shell")).isExecutable())
            browser = QStringLiteral("/usr/lib/chromium/chromium-headless-shell");
        return browser;
    }
    bool Open(const QString& url)
    {
        const QString browser = Installed();
        const bool full = browser.endsWith(QLatin1String("/chromium"));
        QStringList arguments{QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                              QStringLiteral("--disable-background-networking"), QStringLiteral("--no-first-run"),
                              QStringLiteral("--user-data-dir=") + profile_.path(),
                              QStringLiteral("--remote-debugging-port=0"), url};
        if (full)
            arguments.prepend(QStringLiteral("--headless"));
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(browser, arguments);
        QFile active(profile_.filePath(QStringLiteral("DevToolsActivePort")));
        QStringList debugging;
        if (!QTest::qWaitFor([&] {
                if (active.open(QIODevice::ReadOnly)) {
                    debugging = QString::fromLatin1(active.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
                    active.close();
                }
                return debugging.size() >= 2;
            }, 30000))
            return false;
        QObject::connect(&tools_, &QWebSocket::textMessageReceived, [this](const QString& text) {
            const QJsonObject reply = QJsonDocument::fromJson(text.toUtf8()).object();
            if (reply.contains(QStringLiteral("id")))
                replies_.insert(reply.value(QStringLiteral("id")).toInt(), reply);
        });
        tools_.open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(debugging[0], debugging[1])));
        QString target;
        const bool found = QTest::qWaitFor([&] {
            for (const QJsonValue& t : Call(QStringLiteral("Target.getTargets")).value(QStringLiteral("targetInfos")).toArray())
                if (t[QStringLiteral("type")].toString() == QStringLiteral("page"))
                    target = t[QStringLiteral("targetId")].toString();
            return !target.isEmpty();
        }, 15000);
        if (!found)
            return false;
        session_ = Call(QStringLiteral("Target.attachToTarget"),
                        {{QStringLiteral("targetId"), target}, {QStringLiteral("flatten"), true}})
                       .value(QStringLiteral("sessionId")).toString();
        return !session_.isEmpty();
    }
    ~Browser_Page()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }
    QString Eval(const QString& expression)
    {
        const QJsonObject params{{QStringLiteral("expression"), QStringLiteral("String(%1)").arg(expression)},
                                 {QStringLiteral("returnByValue"), true}};
        return Call(QStringLiteral("Runtime.evaluate"), params, session_)
            .value(QStringLiteral("result")).toObject().value(QStringLiteral("value")).toString();
    }
    // Waits (on events, a few seconds at most) until the expression is "true".
    bool Until(const QString& expression, int ms = 8000)
    {
        return QTest::qWaitFor([&] { return Eval(expression) == QLatin1String("true"); }, ms);
    }

private:
    QJsonObject Call(const QString& method, const QJsonObject& params = {}, const QString& session = {})
    {
        QJsonObject command{{QStringLiteral("id"), ++last_id_}, {QStringLiteral("method"), method},
                            {QStringLiteral("params"), params}};
        if (!session.isEmpty())
            command.insert(QStringLiteral("sessionId"), session);
        const int id = last_id_;
        if (!QTest::qWaitFor([&] { return tools_.state() == QAbstractSocket::ConnectedState; }, 5000))
            return {};
        tools_.sendTextMessage(QString::fromUtf8(QJsonDocument(command).toJson(QJsonDocument::Compact)));
        if (!QTest::qWaitFor([&] { return replies_.contains(id); }, 5000))
            return {};
        return replies_.take(id).value(QStringLiteral("result")).toObject();
    }

    QTemporaryDir profile_;
    QProcess process_;
    QWebSocket tools_;
    QMap<int, QJsonObject> replies_;
    QString session_;
    int last_id_ = 0;
};

class Phone_Page_Remote_Test : public Display_Fixture {};

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
TEST_F(Phone_Page_Remote_Test, TheDialogApprovesListsAndRevokesThePhonesHoldingTheRemote)
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

TEST_F(Phone_Page_Remote_Test, ThePageKeepsATokenNotThePinAndTheHostDecides)
{
    Start_Tourney(Chips_And_Prizes());
    ASSERT_TRUE(form->Set_Phone_View(true, 0));
    Phone_Service_Interface* service = form->Phone_Service();
    if (Browser_Page::Installed().isEmpty())
        GTEST_SKIP() << "no chromium installed";
    Browser_Page page;
    ASSERT_TRUE(page.Open(QStringLiteral("http://127.0.0.1:%1/").arg(service->Port())));
    const QString commands_shown = QStringLiteral("!document.getElementById('commands').classList.contains('hidden')");
    ASSERT_TRUE(page.Until(QStringLiteral("document.getElementById('link').textContent==='live'"), 30000));

    // The PIN, once: the page keeps a token of 32 hex digits, and no PIN.
    page.Eval(QStringLiteral("(document.getElementById('pin').value='%1',document.getElementById('unlock').click())")
                  .arg(service->Pin()));
    EXPECT_TRUE(page.Until(commands_shown));
    const QString token = page.Eval(QStringLiteral("localStorage.getItem('velmora-remote')"));
    EXPECT_EQ(token.size(), Phone_Remote::Token_Chars);
    EXPECT_FALSE(page.Eval(QStringLiteral("JSON.stringify(localStorage)+JSON.stringify(sessionStorage)"))
                     .contains(service->Pin()));
    page.Eval(QStringLiteral("document.getElementById('startstop').click()"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Clock.Paused; }, 5000));

    // A reload holds the remote by the token alone.
    page.Eval(QStringLiteral("location.reload()"));
    EXPECT_TRUE(page.Until(QStringLiteral("document.getElementById('link').textContent==='live'&&") + commands_shown));
    EXPECT_EQ(service->Remote_Holders().size(), 1);

    // The host revokes it: the page shows the PIN row and forgets the token.
    service->Revoke(-1);
    EXPECT_TRUE(page.Until(QStringLiteral("!(") + commands_shown + QStringLiteral(")&&localStorage.getItem('velmora-remote')===null")));

    // The page asks; the host approves the code it shows.
    page.Eval(QStringLiteral("document.getElementById('ask').click()"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return service->Remote_Requests().size() == 1; }, 5000));
    const QString code = service->Remote_Requests().value(0).code;
    EXPECT_TRUE(page.Eval(QStringLiteral("document.getElementById('note').textContent")).contains(code));
    EXPECT_TRUE(service->Approve(service->Remote_Requests().value(0).id));
    EXPECT_TRUE(page.Until(commands_shown));
    EXPECT_NE(page.Eval(QStringLiteral("localStorage.getItem('velmora-remote')")), token);
}

} // namespace
