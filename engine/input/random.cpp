#include "engine/input/random.h"

namespace tuublark {
namespace {

int32_t g_state = kUnseededRandomState;

void Step() {
    int32_t next = 48271 * (g_state % 44488) - 3399 * (g_state / 44488);
    if (next < 0) next += 2147483647;
    g_state = next;
}

}  // namespace

void SeedRandom(int32_t seed) {
    g_state = seed & 0x7FFFFFFF;
    if (g_state == 0 || g_state == 0x7FFFFFFF) g_state = kUnseededRandomState;
}

double RandomDouble() {
    Step();
    int32_t a = g_state & 0x1FFFFFFC;
    Step();
    int32_t b = g_state & 0x1FFFFFF8;
    return (a + b / 134217728.0) / 536870912.0;
}

int32_t RandomInt(int32_t lo, int32_t hi) {
    double d = static_cast<double>(hi) - lo;
    double r = d > 0 ? RandomDouble() * (d + 1) + lo : RandomDouble() * (1 - d) + hi;
    return static_cast<int32_t>(r);
}

int32_t GetRandomState() { return g_state; }
void SetRandomState(int32_t state) { g_state = state; }

}  // namespace tuublark
