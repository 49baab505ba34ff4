#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>

namespace learner {

// The program's one pseudo-random generator: the drill windows seed it at each start, the
// shuffle and the choice grid draw from it.
class RandomSource {
public:
    virtual ~RandomSource();
    virtual void SeedFromClock() = 0;
    // Uniform in 0 … n − 1.
    virtual int32_t Draw(int32_t n) = 0;
};

// The generator in use: the real one unless a test has put another in place.
RandomSource& Random();
// An empty pointer puts the real generator back.
void SetRandom(std::unique_ptr<RandomSource> source);

// A generator for tests that answers with the draws it was given, in order. A test that needs
// more draws than it scripted, or scripts one outside 0 … n − 1, is wrong about what the code
// draws: it gets a std::logic_error instead of a quiet 0 that could hide the mistake.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::initializer_list<int32_t> draws) : draws_(draws) {}

    void Push(int32_t draw) { draws_.push_back(draw); }
    std::size_t Left() const { return draws_.size(); }
    int32_t Seeds() const { return seeds_; }

    void SeedFromClock() override { ++seeds_; }
    int32_t Draw(int32_t n) override;

private:
    std::deque<int32_t> draws_;
    int32_t seeds_ = 0;
};

} // namespace learner
