// The game's random numbers: a Park-Miller minimal standard generator
// (multiplier 48271, modulus 2^31 - 1) stepped by Schrage's method.
#pragma once

#include <cstdint>

namespace tuublark {

constexpr int32_t kUnseededRandomState = 4660;

void SeedRandom(int32_t seed);
double RandomDouble();
// Uniform integer between lo and hi inclusive, bounds in either order.
int32_t RandomInt(int32_t lo, int32_t hi);

int32_t GetRandomState();
void SetRandomState(int32_t state);

}  // namespace tuublark
