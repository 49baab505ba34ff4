#pragma once

#include "Random.h"

#include <cstdint>
#include <utility>
#include <vector>

// The shuffle in its plain form, which starts the scan again at the first pair after every swap.
// Quadratic, so it is kept only as the reference that learner::ShuffleOrder must match draw for
// draw, in the tests and in the benchmark.
inline void ShuffleOrderByRescan(std::vector<int32_t>& order, int32_t count) {
    for (int32_t k = 0; k < count; ++k)
        order[k] = k;
    int32_t i = 0;
    while (i < count - 1) {
        if (order[i] + 1 == order[i + 1]) {
            const int32_t j = learner::Random().Draw(count);
            std::swap(order[i], order[j]);
            i = 0;
        } else {
            ++i;
        }
    }
}
