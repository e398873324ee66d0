// The sound player over SDL2_mixer on SDL's silent driver: the built cues
// load and play, failures carry the library's text, one sound at a time, and
// a missing sound device is reported once and then lived with.
#include "platform/Media_player.h"
#include "platform/Velmora_error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Bell = QStringLiteral(VELMORA_BUILD_DIR "/Sounds/Level_bell.wav");
const QString Chime = QStringLiteral(VELMORA_BUILD_DIR "/Sounds/Warning_chime.wav");

QString Open_Error(Media_Player& player, const QString& path)
{
    try {
        player.Open(path);
    } catch (const Velmora_Error& e) {
        return e.text();
    }
    return {};
}

class MediaPlayerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(dir.path() + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
};

TEST_F(MediaPlayerTest, TheBuiltCuesAreShortWaveFiles)
{
    for (const QString& path : {Bell, Chime}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(bytes.left(4), "RIFF");
        EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
        const qsizetype samples = (bytes.size() - 44) / 2; // 16-bit mono, 44.1 kHz
        EXPECT_GT(samples, 44100);
        EXPECT_LT(samples, 3 * 44100);
    }
}

TEST_F(MediaPlayerTest, PlaysStopsAndOpensOneSoundAtATime)
{
    Media_Player player;
    player.Play(); // nothing open: nothing happens
    EXPECT_FALSE(player.Is_Playing());

    player.Open(Bell);
    EXPECT_FALSE(player.Is_Playing());
    player.Play();
    EXPECT_TRUE(player.Is_Playing());
    player.Stop();
    EXPECT_FALSE(player.Is_Playing());
    player.Play(); // still open after Stop
    EXPECT_TRUE(player.Is_Playing());

    player.Open(Chime); // cuts off the bell
    EXPECT_FALSE(player.Is_Playing());
    player.Play();
    EXPECT_TRUE(player.Is_Playing());

    // A failed open leaves nothing open behind it.
    EXPECT_FALSE(Open_Error(player, dir.path() + "/none.wav").isEmpty());
    player.Play();
    EXPECT_FALSE(player.Is_Playing());
}

TEST_F(MediaPlayerTest, PlaysMp3)
{
    // A second of silent MPEG-1 layer III: mono 128 kbit/s 44.1 kHz frames.
    QByteArray frame(417, '\0');
    frame.replace(0, 4, "\xFF\xFB\x90\xC4");
    Media_Player player;
    player.Open(Put("silence.mp3", frame.repeated(40)));
    player.Play();
    EXPECT_TRUE(player.Is_Playing());
}

TEST_F(MediaPlayerTest, FilesThatAreNoSoundFailWithTheLibrarysText)
{
    Media_Player player;
    for (const QString& path : {dir.path() + "/none.wav", Put("text.wav", "no sound\r\n"),
                                Put("text.mp3", "no sound\r\n"), Put("text.xyz", "no sound\r\n")}) {
        const QString text = Open_Error(player, path);
        EXPECT_TRUE(text.startsWith("Unable to open sound file " + path + ": ")) << text.toStdString();
        EXPECT_FALSE(text.endsWith(": ")) << text.toStdString();
    }
}

TEST_F(MediaPlayerTest, AMissingDeviceIsReportedOnceThenSoundsLoadSilently)
{
    // No other player is alive, so audio opens afresh, on a driver that does not exist.
    const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no_such_driver");
    {
        Media_Player player;
        // The sound opens all the same; the missing device is a notice, given once.
        EXPECT_EQ(Open_Error(player, Bell), "");
        const QString text = player.Take_Notice();
        EXPECT_TRUE(text.startsWith("No sound device is available")) << text.toStdString();
        EXPECT_TRUE(text.contains("no_such_driver")) << text.toStdString(); // SDL's own text
        EXPECT_EQ(player.Take_Notice(), "");

        EXPECT_EQ(Open_Error(player, Bell), "");
        player.Play();
        EXPECT_TRUE(player.Is_Playing());
        EXPECT_TRUE(Open_Error(player, dir.path() + "/none.wav").startsWith("Unable to open sound file"));
    }
    qputenv("SDL_AUDIODRIVER", saved);
}

} // namespace
