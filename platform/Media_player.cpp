#include "platform/Media_player.h"

#include "platform/Velmora_error.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

namespace {

Mix_Music* As_Music(void* p) { return static_cast<Mix_Music*>(p); }

QString Sdl_Text(const char* text)
{
    QString t = QString::fromUtf8(text ? text : "");
    return t.isEmpty() ? QStringLiteral("unknown error") : t;
}

// Opens the SDL audio subsystem and the mixer on the current driver.
// Returns "" on success, otherwise SDL's text (everything opened is closed again).
QString Open_Audio_Device()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return Sdl_Text(SDL_GetError());
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        QString text = Sdl_Text(Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return text;
    }
    return {};
}

// Players that have the mixer open; the decoders are unloaded after the last.
int open_players = 0;

} // namespace

Media_Player::Media_Player() = default;

Media_Player::~Media_Player()
{
    Close();
    if (audio_ready_) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        if (--open_players == 0)
            Mix_Quit();
    }
}

void Media_Player::Ensure_Audio()
{
    if (audio_ready_)
        return;
    Mix_Init(MIX_INIT_MP3); // a missing decoder shows up as a load error later
    QString error = Open_Audio_Device();
    if (!error.isEmpty()) {
        // No usable sound device: go on with SDL's silent driver so that the
        // cues still load (and the clock keeps running), and say so once.
        notice_ = QStringLiteral("No sound device is available (%1). Sounds will not be heard.").arg(error);
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        QString dummy_error = Open_Audio_Device();
        if (!dummy_error.isEmpty())
            throw Velmora_Error(QStringLiteral("No sound device is available: %1").arg(dummy_error));
    }
    audio_ready_ = true;
    ++open_players;
}

void Media_Player::Open(const QString& path)
{
    Close();
    Ensure_Audio();
    Mix_Music* music = Mix_LoadMUS(QFile::encodeName(path).constData());
    if (!music)
        throw Velmora_Error(QStringLiteral("Unable to open sound file %1: %2")
                                .arg(path, Sdl_Text(Mix_GetError())));
    music_ = music;
}

void Media_Player::Play()
{
    if (!music_)
        return;
    if (Mix_PlayMusic(As_Music(music_), 0) != 0)
        throw Velmora_Error(QStringLiteral("Unable to play the sound: %1").arg(Sdl_Text(Mix_GetError())));
}

bool Media_Player::Is_Playing() const
{
    return music_ != nullptr && Mix_PlayingMusic() != 0;
}

void Media_Player::Stop()
{
    if (music_)
        Mix_HaltMusic();
}

QString Media_Player::Take_Notice()
{
    QString notice;
    notice.swap(notice_);
    return notice;
}

void Media_Player::Close()
{
    if (!music_)
        return;
    // Halt first: the music is never faded, so freeing it does not wait.
    Mix_HaltMusic();
    Mix_FreeMusic(As_Music(music_));
    music_ = nullptr;
}
