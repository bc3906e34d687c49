// The engine object: a fatal error unwinds through it, and whichever way it
// goes it closes the display and waits for its workers first.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"

namespace tuublark::testing {
namespace {

class TRefusedDisplay : public TRenderDriver {
public:
    explicit TRefusedDisplay(int& closes) : closes_(closes) {}
    bool SetGraphicsMode(int32_t, int32_t, int32_t, int32_t) override { return false; }
    void CloseGraphics() override { closes_ += 1; }

private:
    int& closes_;
};

TEST(EngineTest, AFatalErrorUnwindsThroughTheEngineWhichClosesTheDisplayAndWaitsForItsWorkers) {
    TEngine* programEngine = &Engine();
    int closes = 0;
    std::atomic<bool> workerDone{false};
    try {
        TEngine engine;
        EXPECT_EQ(&Engine(), &engine);
        engine.SetRender(std::make_unique<TRefusedDisplay>(closes));
        engine.StartWorker([&workerDone] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            workerDone = true;
            return 0;
        });
        OpenGraphics(800, 600, 16, 60);
        ADD_FAILURE() << "OpenGraphics came back from a display that did not open";
    } catch (const TEngineError& error) {
        EXPECT_STREQ(error.what(), "Unable to set graphics mode");
    }
    EXPECT_TRUE(workerDone);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(&Engine(), programEngine);
}

}  // namespace
}  // namespace tuublark::testing
