#include "engine/input/system_driver.h"

#include <chrono>
#include <thread>

namespace tuublark {
namespace {

std::unique_ptr<TSystemDriver>& CurrentDriver() {
    static std::unique_ptr<TSystemDriver> driver;
    return driver;
}

}  // namespace

THeadlessSystemDriver::THeadlessSystemDriver() = default;

int32_t THeadlessSystemDriver::Millisecs() {
    using namespace std::chrono;
    auto now = steady_clock::now().time_since_epoch();
    return static_cast<int32_t>(duration_cast<milliseconds>(now).count());
}

void THeadlessSystemDriver::Delay(int32_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SetSystemDriver(std::unique_ptr<TSystemDriver> driver) { CurrentDriver() = std::move(driver); }

TSystemDriver& SystemDriver() {
    auto& driver = CurrentDriver();
    if (!driver) driver = std::make_unique<THeadlessSystemDriver>();
    return *driver;
}

void PollSystem() { SystemDriver().Poll(); }
int32_t Millisecs() { return SystemDriver().Millisecs(); }
void Delay(int32_t ms) { SystemDriver().Delay(ms); }

}  // namespace tuublark
