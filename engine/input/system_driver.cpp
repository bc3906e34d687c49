#include "engine/input/system_driver.h"

#include <chrono>
#include <thread>

#include "engine/engine.h"
#include "engine/platform/stop_signals.h"

namespace tuublark {

bool TSystemDriver::QuitSignalled() const { return StopSignalled(); }

void TSystemDriver::WaitEvents(int32_t ms) { Delay(ms); }

void SleepUnlessStopped(const TSystemDriver& driver, int32_t ms, void (*sleep)(int32_t ms)) {
    while (ms > 0 && !driver.QuitSignalled()) {
        int32_t slice = ms < kStopCheckMs ? ms : kStopCheckMs;
        sleep(slice);
        ms -= slice;
    }
}

THeadlessSystemDriver::THeadlessSystemDriver() = default;

int32_t THeadlessSystemDriver::Millisecs() {
    using namespace std::chrono;
    auto now = steady_clock::now().time_since_epoch();
    return static_cast<int32_t>(duration_cast<milliseconds>(now).count());
}

void THeadlessSystemDriver::Delay(int32_t ms) {
    SleepUnlessStopped(*this, ms, [](int32_t slice) { std::this_thread::sleep_for(std::chrono::milliseconds(slice)); });
}

void SetSystemDriver(std::unique_ptr<TSystemDriver> driver) {
    Engine().SetSystem(driver ? std::move(driver) : std::make_unique<THeadlessSystemDriver>());
}

TSystemDriver& SystemDriver() { return Engine().System(); }

void PollSystem() { SystemDriver().Poll(); }
int32_t Millisecs() { return SystemDriver().Millisecs(); }
void Delay(int32_t ms) { SystemDriver().Delay(ms); }

}  // namespace tuublark
