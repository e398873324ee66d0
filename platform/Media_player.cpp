#include "platform/Media_player.h"

#include "platform/Velmora_error.h"

#include <QFile>
#include <QLibrary>

#include <SDL.h>
#include <SDL_mixer.h>

namespace {

// SDL and SDL2_mixer (with the decoders and sound servers they pull in, some
// forty libraries) are loaded when the first sound is opened, not when the
// program starts: most of a start-up's time and memory went into them.
struct Sound_Library {
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_GetError) GetError = nullptr;
    decltype(&SDL_SetHintWithPriority) SetHintWithPriority = nullptr;
    decltype(&Mix_Init) Init = nullptr;
    decltype(&Mix_Quit) Quit = nullptr;
    decltype(&Mix_OpenAudio) OpenAudio = nullptr;
    decltype(&Mix_CloseAudio) CloseAudio = nullptr;
    decltype(&Mix_LoadMUS) LoadMUS = nullptr;
    decltype(&Mix_FreeMusic) FreeMusic = nullptr;
    decltype(&Mix_PlayMusic) PlayMusic = nullptr;
    decltype(&Mix_PlayingMusic) PlayingMusic = nullptr;
    decltype(&Mix_HaltMusic) HaltMusic = nullptr;
    QString error; // why the libraries could not be loaded, "" when they were
};

template <typename Function>
bool Resolve(QLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

const Sound_Library& Sound()
{
    static const Sound_Library loaded = [] {
        Sound_Library l;
        static QLibrary sdl(QStringLiteral("SDL2-2.0"), 0);
        static QLibrary mixer(QStringLiteral("SDL2_mixer-2.0"), 0);
        for (QLibrary* library : {&sdl, &mixer})
            if (!library->load()) {
                l.error = library->errorString();
                return l;
            }
        const bool ok = Resolve(sdl, "SDL_InitSubSystem", l.InitSubSystem) &&
                        Resolve(sdl, "SDL_QuitSubSystem", l.QuitSubSystem) &&
                        Resolve(sdl, "SDL_GetError", l.GetError) &&
                        Resolve(sdl, "SDL_SetHintWithPriority", l.SetHintWithPriority) &&
                        Resolve(mixer, "Mix_Init", l.Init) && Resolve(mixer, "Mix_Quit", l.Quit) &&
                        Resolve(mixer, "Mix_OpenAudio", l.OpenAudio) &&
                        Resolve(mixer, "Mix_CloseAudio", l.CloseAudio) &&
                        Resolve(mixer, "Mix_LoadMUS", l.LoadMUS) && Resolve(mixer, "Mix_FreeMusic", l.FreeMusic) &&
                        Resolve(mixer, "Mix_PlayMusic", l.PlayMusic) &&
                        Resolve(mixer, "Mix_PlayingMusic", l.PlayingMusic) &&
                        Resolve(mixer, "Mix_HaltMusic", l.HaltMusic);
        if (!ok)
            l.error = mixer.errorString();
        return l;
    }();
    return loaded;
}

Mix_Music* As_Music(void* p) { return static_cast<Mix_Music*>(p); }

QString Sdl_Text(const char* text)
{
    QString t = QString::fromUtf8(text ? text : "");
    return t.isEmpty() ? QStringLiteral("unknown error") : t;
}

// SDL's text of the last error (SDL2_mixer's Mix_GetError is the same).
QString Sdl_Error() { return Sdl_Text(Sound().GetError()); }

// Opens the SDL audio subsystem and the mixer on the current driver.
// Returns "" on success, otherwise SDL's text (everything opened is closed again).
QString Open_Audio_Device()
{
    if (Sound().InitSubSystem(SDL_INIT_AUDIO) != 0)
        return Sdl_Error();
    if (Sound().OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        QString text = Sdl_Error();
        Sound().QuitSubSystem(SDL_INIT_AUDIO);
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
        Sound().CloseAudio();
        Sound().QuitSubSystem(SDL_INIT_AUDIO);
        if (--open_players == 0)
            Sound().Quit();
    }
}

void Media_Player::Ensure_Audio()
{
    if (audio_ready_)
        return;
    if (!Sound().error.isEmpty())
        throw Velmora_Error(QStringLiteral("The sound library could not be loaded: %1").arg(Sound().error));
    Sound().Init(MIX_INIT_MP3); // a missing decoder shows up as a load error later
    QString error = Open_Audio_Device();
    if (!error.isEmpty()) {
        // No usable sound device: go on with SDL's silent driver so that the
        // cues still load (and the clock keeps running), and say so once.
        notice_ = QStringLiteral("No sound device is available (%1). Sounds will not be heard.").arg(error);
        Sound().SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
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
    Mix_Music* music = Sound().LoadMUS(QFile::encodeName(path).constData());
    if (!music)
        throw Velmora_Error(QStringLiteral("Unable to open sound file %1: %2")
                                .arg(path, Sdl_Error()));
    music_ = music;
}

void Media_Player::Play()
{
    if (!music_)
        return;
    if (Sound().PlayMusic(As_Music(music_), 0) != 0)
        throw Velmora_Error(QStringLiteral("Unable to play the sound: %1").arg(Sdl_Error()));
}

bool Media_Player::Is_Playing() const
{
    return music_ != nullptr && Sound().PlayingMusic() != 0;
}

void Media_Player::Stop()
{
    if (music_)
        Sound().HaltMusic();
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
    Sound().HaltMusic();
    Sound().FreeMusic(As_Music(music_));
    music_ = nullptr;
}
