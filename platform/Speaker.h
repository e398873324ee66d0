#pragma once
// The voice behind the spoken announcements. The program speaks through Qt's
// text-to-speech with the offline flite engine; tests record what would be
// said with a speaker of their own.
#include <QString>
#include <memory>

class QTextToSpeech;

class Speaker {
public:
    virtual ~Speaker() = default;
    // Whether there is a voice to speak with; when there is none,
    // Unavailable_Reason() says why in words for the operator.
    virtual bool Available() const = 0;
    virtual QString Unavailable_Reason() const = 0;
    // Starts speaking and returns at once.
    virtual void Say(const QString& text) = 0;
    // True while a text is still being spoken.
    virtual bool Is_Speaking() const = 0;
};

// Qt TextToSpeech. The engine is loaded on the first Say, so a program that
// never speaks never pays for the voice.
class Qt_Speaker : public Speaker {
public:
    Qt_Speaker();
    ~Qt_Speaker() override;
    bool Available() const override;
    QString Unavailable_Reason() const override;
    void Say(const QString& text) override;
    bool Is_Speaking() const override;

private:
    bool Ensure_Engine();
    QString engine_name_;   // the engine chosen at start, "" when there is none
    QString reason_;
    std::unique_ptr<QTextToSpeech> tts_;
};
