#pragma once
// A speaker for tests: records every text it is asked to say. A text counts as
// being spoken until the test calls Finish().
#include "platform/Speaker.h"

#include <QStringList>

class Recording_Speaker : public Speaker {
public:
    QStringList said;
    bool speaking = false;
    bool available = true;
    QString reason = QStringLiteral("No speech engine is installed.");

    bool Available() const override { return available; }
    QString Unavailable_Reason() const override { return available ? QString() : reason; }
    void Say(const QString& text) override
    {
        said << text;
        speaking = true;
    }
    bool Is_Speaking() const override { return speaking; }
    void Finish() { speaking = false; }
};
