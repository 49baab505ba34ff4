#include "SoundPlayer.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

int halts = 0;

class SoundPlayerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::SoundPlayer player;

    void TearDown() override { Mix_ChannelFinished(nullptr); }

    // Opens a mono 16-bit wave of silence, its header written here by hand.
    void OpenWave(int milliseconds) {
        const quint32 dataSize = 22050 * 2 * milliseconds / 1000;
        QFile file(dir.filePath("spravne.wav"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QDataStream out(&file);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + dataSize);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(1) << quint32(22050) << quint32(44100)
            << quint16(2) << quint16(16);
        out.writeRawData("data", 4);
        out << dataSize;
        out.writeRawData(QByteArray(dataSize, '\0').constData(), dataSize);
        file.close();
        player.SetFileName(file.fileName());
        player.Open();
    }

    // The message of the error that Open raises: the sound layer's own.
    std::string OpenError() {
        try {
            player.Open();
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), std::string(Mix_GetError()));
            return error.what();
        }
        return "(no error)";
    }
};

TEST_F(SoundPlayerTest, PlayingAgainWhilePlayingStartsTheSoundOverOnce) {
    OpenWave(3000);
    halts = 0;
    Mix_ChannelFinished([](int) { ++halts; });
    player.Play();
    player.Play();
    EXPECT_EQ(halts, 1) << "the running sound is stopped first";
    EXPECT_EQ(Mix_Playing(-1), 1) << "and started once more, not overlapped";
    player.Close();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundPlayerTest, SoundPlayedToItsEndPlaysAgain) {
    OpenWave(50);
    player.Play();
    QDeadlineTimer deadline(5000);
    while (Mix_Playing(-1) > 0 && !deadline.hasExpired())
        QThread::msleep(10);
    ASSERT_EQ(Mix_Playing(-1), 0);
    player.Play();
    EXPECT_EQ(Mix_Playing(-1), 1);
}

// A player whose file could not be opened stays closed, and the answers never fail for want of
// a sound.
TEST_F(SoundPlayerTest, FilesThatAreNoSoundFailWithTheSoundLayersMessageAndPlayNothing) {
    OpenWave(50);
    player.SetFileName(dir.filePath("chyba.wav"));
    EXPECT_NE(OpenError().find("chyba.wav"), std::string::npos) << "the message names the file";
    EXPECT_FALSE(player.IsOpen());
    EXPECT_NO_THROW(player.Play());

    QFile text(dir.filePath("chyba.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Toto není zvuk.\n");
    text.close();
    EXPECT_NE(OpenError(), "(no error)");
    EXPECT_FALSE(player.IsOpen());
    EXPECT_NO_THROW(player.Play());
    EXPECT_EQ(Mix_Playing(-1), 0);
}

} // namespace
