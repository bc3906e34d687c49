#include "engine/runtime/page_workers.h"

#include <emscripten.h>
#include <emscripten/fiber.h>

#include <deque>
#include <limits>
#include <memory>

namespace tuublark {
namespace {

// Enough for the deepest decoder (libvorbis keeps its buffers on the stack).
constexpr size_t kWorkerStackBytes = 1 << 20;
// The saved call chain of a suspended stack: a few dozen frames.
constexpr size_t kSavedCallsBytes = 64 << 10;

struct TPageWorker {
    std::function<void()> Work;
    emscripten_fiber_t Fiber;
    std::unique_ptr<char[]> Stack{new char[kWorkerStackBytes]};
    std::unique_ptr<char[]> SavedCalls{new char[kSavedCallsBytes]};
    bool Done = false;
};

// The game's own stack, while a worker runs.
emscripten_fiber_t g_game;
std::unique_ptr<char[]> g_gameSavedCalls;
std::deque<std::unique_ptr<TPageWorker>> g_workers;
TPageWorker* g_running = nullptr;
double g_deadline = 0;

// Each swap between stacks ends an unwind of the wasm stack, and the
// runtime counts each as an operation that keeps it alive, but no swap ever
// ends one: the count is put back after each turn, or the program's exit
// would never end the runtime.
EM_JS(int, KeepaliveCount, (), { return runtimeKeepaliveCounter; });
EM_JS(void, SetKeepaliveCount, (int count), { runtimeKeepaliveCounter = count; });

void RunWorker(void* arg) {
    auto* worker = static_cast<TPageWorker*>(arg);
    worker->Work();
    worker->Work = nullptr;
    worker->Done = true;
    // A finished stack is never resumed: it only hands the thread back.
    emscripten_fiber_swap(&worker->Fiber, &g_game);
}

// Gives `worker` the thread until it finishes or gives it back.
void Resume(TPageWorker& worker) {
    if (!g_gameSavedCalls) g_gameSavedCalls.reset(new char[kSavedCallsBytes]);
    emscripten_fiber_init_from_current_context(&g_game, g_gameSavedCalls.get(), kSavedCallsBytes);
    g_running = &worker;
    const int keepalive = KeepaliveCount();
    emscripten_fiber_swap(&g_game, &worker.Fiber);
    SetKeepaliveCount(keepalive);
    g_running = nullptr;
}

// One turn for every unfinished worker, oldest first, while there is time;
// then drops the finished ones.
void RunRound() {
    for (size_t i = 0; i < g_workers.size() && emscripten_get_now() < g_deadline; ++i)
        if (!g_workers[i]->Done) Resume(*g_workers[i]);
    for (size_t i = 0; i < g_workers.size();) {
        if (g_workers[i]->Done) {
            g_workers.erase(g_workers.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

}  // namespace

void WorkerCheckpoint() {
    if (g_running && emscripten_get_now() >= g_deadline) emscripten_fiber_swap(&g_running->Fiber, &g_game);
}

void StartPageWorker(std::function<void()> work) {
    auto worker = std::make_unique<TPageWorker>();
    worker->Work = std::move(work);
    emscripten_fiber_init(&worker->Fiber, RunWorker, worker.get(), worker->Stack.get(), kWorkerStackBytes,
                          worker->SavedCalls.get(), kSavedCallsBytes);
    g_workers.push_back(std::move(worker));
}

void RunPageWorkersUntil(double deadline) {
    if (g_running) return;  // work does not run work
    g_deadline = deadline;
    while (!g_workers.empty() && emscripten_get_now() < deadline) RunRound();
}

void RunPageWorkersUntil(const std::function<bool()>& done) {
    if (g_running) {
        // Work waiting for other work: the game's stack runs the rest.
        TPageWorker* self = g_running;
        while (!done()) emscripten_fiber_swap(&self->Fiber, &g_game);
        return;
    }
    g_deadline = std::numeric_limits<double>::infinity();
    while (!done() && !g_workers.empty()) RunRound();
}

}  // namespace tuublark
