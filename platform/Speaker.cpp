#include "platform/Speaker.h"

#include <QObject>
#include <QStringList>
#include <QTextToSpeech>

namespace {
// The engine the program ships with; any other installed one will do.
const char* const Preferred_Engine = "flite";
} // namespace

Qt_Speaker::Qt_Speaker()
{
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.contains(QLatin1String(Preferred_Engine)))
        engine_name_ = QString::fromLatin1(Preferred_Engine);
    else if (!engines.isEmpty())
        engine_name_ = engines.first();
    else
        reason_ = QObject::tr("No speech engine is installed (the flite voice for Qt text-to-speech).");
}

Qt_Speaker::~Qt_Speaker() = default;

bool Qt_Speaker::Available() const { return reason_.isEmpty(); }

QString Qt_Speaker::Unavailable_Reason() const { return reason_; }

bool Qt_Speaker::Ensure_Engine()
{
    if (!reason_.isEmpty())
        return false;
    if (tts_)
        return true;
    tts_ = std::make_unique<QTextToSpeech>(engine_name_);
    if (tts_->state() == QTextToSpeech::Error) {
        reason_ = QObject::tr("The speech engine %1 could not start: %2")
                      .arg(engine_name_, tts_->errorString());
        tts_.reset();
        return false;
    }
    return true;
}

void Qt_Speaker::Say(const QString& text)
{
    if (Ensure_Engine())
        tts_->say(text);
}

bool Qt_Speaker::Is_Speaking() const
{
    return tts_ && tts_->state() == QTextToSpeech::Speaking;
}
