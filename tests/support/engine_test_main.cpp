// The main of every test program: one engine for the whole program, made
// before the first test and let go after the last. A test that needs an
// engine of its own makes one; it is current until it goes.
#include <gtest/gtest.h>

#include "engine/engine.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    tuublark::TEngine engine;
    return RUN_ALL_TESTS();
}
