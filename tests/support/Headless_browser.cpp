#include "support/Headless_browser.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString Shell = QStringLiteral("/usr/lib/chromium/chromium-headless-shell");

bool Full_Browser(const QString& program)
{
    return QFileInfo(program).fileName() == QStringLiteral("chromium");
}

} // namespace

QString Headless_Browser::Program()
{
    // The full browser, or the headless shell started directly (a wrapper
    // script would stay between the test and the browser it ends).
    const QString full = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (!full.isEmpty())
        return full;
    if (QFileInfo(Shell).isExecutable())
        return Shell;
    return QStandardPaths::findExecutable(QStringLiteral("chromium-headless-shell"));
}

Headless_Browser::Headless_Browser(const QString& url)
{
    const QString program = Program();
    if (program.isEmpty())
        return;
    QStringList arguments{QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                          QStringLiteral("--disable-background-networking"),
                          QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                          QStringLiteral("--no-first-run"), QStringLiteral("--hide-scrollbars"),
                          QStringLiteral("--user-data-dir=") + profile_.path(),
                          QStringLiteral("--window-size=1280,900"), QStringLiteral("--remote-debugging-port=0"), url};
    if (Full_Browser(program))
        arguments.prepend(QStringLiteral("--headless"));
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(program, arguments);
    // The browser names its debugging port in its profile once it listens.
    QFile active(profile_.filePath(QStringLiteral("DevToolsActivePort")));
    QStringList debugging;
    const bool listening = QTest::qWaitFor([&] {
        if (active.open(QIODevice::ReadOnly)) {
            debugging = QString::fromLatin1(active.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            active.close();
        }
        return debugging.size() >= 2;
    }, 30000);
    if (!listening)
        return;
    socket_ = std::make_unique<QWebSocket>();
    QObject::connect(socket_.get(), &QWebSocket::textMessageReceived, [this](const QString& text) {
        const QJsonObject reply = QJsonDocument::fromJson(text.toUtf8()).object();
        if (reply.contains(QStringLiteral("id")))
            replies_.insert(reply.value(QStringLiteral("id")).toInt(), reply);
    });
    socket_->open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(debugging[0], debugging[1])));
    QString page_id;
    (void)QTest::qWaitFor([&] {
        const QJsonObject targets = Send(QStringLiteral("Target.getTargets"), {}, {});
        for (const QJsonValue& t : targets.value(QStringLiteral("targetInfos")).toArray())
            if (t[QStringLiteral("type")].toString() == QStringLiteral("page"))
                page_id = t[QStringLiteral("targetId")].toString();
        return !page_id.isEmpty();
    }, 15000);
    if (page_id.isEmpty())
        return;
    session_ = Send(QStringLiteral("Target.attachToTarget"),
                    {{QStringLiteral("targetId"), page_id}, {QStringLiteral("flatten"), true}}, {})
                   .value(QStringLiteral("sessionId"))
                   .toString();
}

Headless_Browser::~Headless_Browser()
{
    if (socket_ && Ready())
        Send(QStringLiteral("Browser.close"), {}, {});
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QJsonObject Headless_Browser::Send(const QString& method, const QJsonObject& params, const QString& session)
{
    if (!socket_)
        return {};
    QJsonObject command{{QStringLiteral("id"), ++last_id_}, {QStringLiteral("method"), method},
                        {QStringLiteral("params"), params}};
    if (!session.isEmpty())
        command.insert(QStringLiteral("sessionId"), session);
    const int id = last_id_;
    if (!QTest::qWaitFor([&] { return socket_->state() == QAbstractSocket::ConnectedState; }, 5000))
        return {};
    socket_->sendTextMessage(QString::fromUtf8(QJsonDocument(command).toJson(QJsonDocument::Compact)));
    if (!QTest::qWaitFor([&] { return replies_.contains(id); }, 5000))
        return {};
    return replies_.take(id).value(QStringLiteral("result")).toObject();
}

QJsonObject Headless_Browser::Call(const QString& method, const QJsonObject& params)
{
    return Send(method, params, session_);
}

void Headless_Browser::Show_At(int width, int height, bool phone, const QString& url)
{
    Call(QStringLiteral("Emulation.setDeviceMetricsOverride"),
         {{QStringLiteral("width"), width}, {QStringLiteral("height"), height},
          {QStringLiteral("deviceScaleFactor"), phone ? 3 : 1}, {QStringLiteral("mobile"), phone}});
    Call(QStringLiteral("Emulation.setTouchEmulationEnabled"), {{QStringLiteral("enabled"), phone}});
    // The old page is marked: the new one is loaded, with its pictures,
    // when the mark is gone and the document complete.
    Evaluate(QStringLiteral("window.velmoraOld=true"));
    Call(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), url}});
    (void)QTest::qWaitFor([&] {
        return Evaluate(QStringLiteral("!window.velmoraOld&&document.readyState==='complete'")).toBool();
    }, 10000);
}

QJsonValue Headless_Browser::Evaluate(const QString& expression)
{
    const QJsonObject params{{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}};
    return Call(QStringLiteral("Runtime.evaluate"), params)
        .value(QStringLiteral("result"))
        .toObject()
        .value(QStringLiteral("value"));
}
