#pragma once

#include <QString>

struct Mix_Chunk;

namespace platform {

// A player for one wave file. Open loads it (raising std::runtime_error with the sound layer's
// message when it cannot), Play starts it from its beginning without waiting, Close frees it.
// A player that is not open plays nothing and raises nothing.
class SoundPlayer {
public:
    SoundPlayer() = default;
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& fileName) { fileName_ = fileName; }
    void Open();
    void Play();
    void Close();
    bool IsOpen() const { return chunk_ != nullptr; }

private:
    QString fileName_;
    Mix_Chunk* chunk_ = nullptr;
    int channel_ = -1;
};

} // namespace platform
