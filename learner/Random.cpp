#include "Random.h"

#include <chrono>
#include <random>
#include <stdexcept>
#include <string>

namespace learner {

namespace {

class ClockRandom final : public RandomSource {
public:
    // Seeded at once too, so that a draw before the first start is not the same in every run.
    ClockRandom() { SeedFromClock(); }

    void SeedFromClock() override {
        const auto ticks =
            static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
        std::seed_seq seed{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
        engine_.seed(seed);
    }

    int32_t Draw(int32_t n) override {
        // An empty range has no draw; 0 keeps a caller's mistake from becoming undefined.
        if (n < 1)
            return 0;
        return std::uniform_int_distribution<int32_t>(0, n - 1)(engine_);
    }

private:
    std::mt19937 engine_;
};

std::unique_ptr<RandomSource>& Current() {
    static std::unique_ptr<RandomSource> current = std::make_unique<ClockRandom>();
    return current;
}

} // namespace

RandomSource::~RandomSource() = default;

RandomSource& Random() {
    return *Current();
}

void SetRandom(std::unique_ptr<RandomSource> source) {
    Current() = source ? std::move(source) : std::make_unique<ClockRandom>();
}

int32_t ScriptedRandom::Draw(int32_t n) {
    if (draws_.empty())
        throw std::logic_error("ScriptedRandom: no scripted draw left");
    const int32_t draw = draws_.front();
    if (draw < 0 || draw >= n)
        throw std::logic_error("ScriptedRandom: scripted draw " + std::to_string(draw) +
                               " is outside 0 … " + std::to_string(int64_t{n} - 1));
    draws_.pop_front();
    return draw;
}

} // namespace learner
