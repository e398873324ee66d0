#pragma once
// The sound player behind the clock's cues: one sound open at a time.
#include <QString>

class Sound_Player {
public:
    virtual ~Sound_Player() = default;
    // Opens a sound file, closing (and cutting off) the one opened before.
    // Throws Velmora_Error with the sound library's own text on failure.
    virtual void Open(const QString& path) = 0;
    // Starts the open sound from the beginning and returns at once.
    virtual void Play() = 0;
    virtual bool Is_Playing() const = 0;
    virtual void Stop() = 0;   // the sound stays open
    virtual void Close() = 0;
    // A notice for the operator that is not an error of the sound just
    // opened (no sound device: sounds play silently). Given once, then "".
    virtual QString Take_Notice() { return {}; }
};

// SDL2_mixer implementation. The audio device is opened on first use; when no
// device can be opened it falls back to SDL's dummy driver, so sounds still
// load and play silently, and the missing device is given once as a notice.
class Media_Player : public Sound_Player {
public:
    Media_Player();
    ~Media_Player() override;
    void Open(const QString& path) override;
    void Play() override;
    bool Is_Playing() const override;
    void Stop() override;
    void Close() override;
    QString Take_Notice() override;

private:
    void Ensure_Audio();
    void* music_ = nullptr; // Mix_Music*
    bool audio_ready_ = false;
    QString notice_;
};
