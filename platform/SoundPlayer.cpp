#include "SoundPlayer.h"

#include <QFile>
#include <SDL.h>
#include <SDL_mixer.h>
#include <stdexcept>

namespace platform {

namespace {

bool OpenAudioDevice() {
    // The program ends through its windows; SDL's own handlers would swallow SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) == 0)
        return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

// One audio device for every player, opened on the first Open and closed when the program ends.
// On a machine without sound the silent driver takes its place: the files are still checked
// and the drills go on quietly instead of every start showing an error.
class AudioDevice {
public:
    AudioDevice() {
        if (OpenAudioDevice())
            return;
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        OpenAudioDevice();
    }
    ~AudioDevice() {
        Mix_CloseAudio();
        SDL_Quit();
    }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;
};

void EnsureAudioDevice() {
    static const AudioDevice device;
}

} // namespace

SoundPlayer::~SoundPlayer() {
    Close();
}

void SoundPlayer::Open() {
    Close();
    EnsureAudioDevice();
    // The file is opened here rather than by Mix_LoadWAV, whose own message for a missing file
    // would not name it.
    SDL_RWops* source = SDL_RWFromFile(QFile::encodeName(fileName_).constData(), "rb");
    if (!source)
        throw std::runtime_error(SDL_GetError());
    chunk_ = Mix_LoadWAV_RW(source, 1);
    if (!chunk_)
        throw std::runtime_error(Mix_GetError());
}

void SoundPlayer::Play() {
    if (!chunk_)
        return;
    // A sound still playing starts again from its beginning rather than overlapping itself.
    if (channel_ >= 0 && Mix_GetChunk(channel_) == chunk_ && Mix_Playing(channel_))
        Mix_HaltChannel(channel_);
    // With every channel busy the sound is skipped: a missed beep is not worth stopping a drill.
    channel_ = Mix_PlayChannel(-1, chunk_, 0);
}

void SoundPlayer::Close() {
    if (!chunk_)
        return;
    Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
    channel_ = -1;
}

} // namespace platform
