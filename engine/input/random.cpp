#include "engine/input/random.h"

#include "engine/engine.h"

namespace tuublark {
namespace {

void Step(int32_t& state) {
    int32_t next = 48271 * (state % 44488) - 3399 * (state / 44488);
    if (next < 0) next += 2147483647;
    state = next;
}

}  // namespace

void SeedRandom(int32_t seed) {
    int32_t& state = Engine().RandomState();
    state = seed & 0x7FFFFFFF;
    if (state == 0 || state == 0x7FFFFFFF) state = kUnseededRandomState;
}

double RandomDouble() {
    int32_t& state = Engine().RandomState();
    Step(state);
    int32_t a = state & 0x1FFFFFFC;
    Step(state);
    int32_t b = state & 0x1FFFFFF8;
    return (a + b / 134217728.0) / 536870912.0;
}

int32_t RandomInt(int32_t lo, int32_t hi) {
    double d = static_cast<double>(hi) - lo;
    double r = d > 0 ? RandomDouble() * (d + 1) + lo : RandomDouble() * (1 - d) + hi;
    return static_cast<int32_t>(r);
}

int32_t GetRandomState() { return Engine().RandomState(); }
void SetRandomState(int32_t state) { Engine().RandomState() = state; }

}  // namespace tuublark
