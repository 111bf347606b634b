#include "app/random.hpp"

#include <cstdint>
#include <ctime>
#include <stdexcept>

namespace {
// State of the reference generator; touched by the main thread only.
std::uint32_t randomState = 1;

int nextRandom() {
    randomState = randomState * 1103515245U + 12345U;
    return static_cast<int>((randomState / 65536U) % 32768U);
}
} // namespace

int seed() {
    const int now = static_cast<int>(std::time(nullptr));
    seed(static_cast<unsigned int>(now));
    return now;
}

void seed(unsigned int s) {
    randomState = s;
}

unsigned int randomSourceState() {
    return randomState;
}

int randomRange(int low, int high) {
    const long long span = static_cast<long long>(high) - low + 1;
    if (span <= 0) {
        throw std::invalid_argument("randomRange: high is below low");
    }
    return static_cast<int>(nextRandom() % span + low);
}
