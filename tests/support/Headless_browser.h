#pragma once
// A real browser for tests of pages as people see them: Debian's chromium
// (or its headless shell), started headless on a page and driven over its
// debugging protocol on loopback. Tests skip where no browser is installed.
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QWebSocket>
#include <memory>

class Headless_Browser {
public:
    // The browser's program, "" when none is installed.
    static QString Program();

    // Starts the browser on the URL; Ready() tells whether it came up and
    // attached to its page.
    explicit Headless_Browser(const QString& url);
    ~Headless_Browser();
    Headless_Browser(const Headless_Browser&) = delete;
    Headless_Browser& operator=(const Headless_Browser&) = delete;

    bool Ready() const { return !session_.isEmpty(); }
    // A command to the page; its result ({} when no answer came in 5 s).
    QJsonObject Call(const QString& method, const QJsonObject& params = {});
    // Lays the page out as a screen of that width (a phone: touch, the
    // page's viewport line honoured) and loads the URL again.
    void Show_At(int width, int height, bool phone, const QString& url);
    // The value of a script expression evaluated in the page.
    QJsonValue Evaluate(const QString& expression);

private:
    QJsonObject Send(const QString& method, const QJsonObject& params, const QString& session);

    QTemporaryDir profile_;
    QProcess process_;
    std::unique_ptr<QWebSocket> socket_;
    QMap<int, QJsonObject> replies_;
    int last_id_ = 0;
    QString session_;
};
