#include "engine/input/system_driver.h"

#include <chrono>
#include <thread>

#include "engine/engine.h"

namespace tuublark {
THeadlessSystemDriver::THeadlessSystemDriver() = default;

int32_t THeadlessSystemDriver::Millisecs() {
    using namespace std::chrono;
    auto now = steady_clock::now().time_since_epoch();
    return static_cast<int32_t>(duration_cast<milliseconds>(now).count());
}

void THeadlessSystemDriver::Delay(int32_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SetSystemDriver(std::unique_ptr<TSystemDriver> driver) {
    Engine().SetSystem(driver ? std::move(driver) : std::make_unique<THeadlessSystemDriver>());
}

TSystemDriver& SystemDriver() { return Engine().System(); }

void PollSystem() { SystemDriver().Poll(); }
int32_t Millisecs() { return SystemDriver().Millisecs(); }
void Delay(int32_t ms) { SystemDriver().Delay(ms); }

}  // namespace tuublark
