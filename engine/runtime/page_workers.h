// Work beside the game on a machine with one thread: the browser page.
//
// On the desktop each piece of engine work (a sound decoded ahead of the
// frame that needs it, the start-up check) has a thread of its own. A page
// has one thread, and a frame that decoded a drum loop at once would take
// several frames' time. There, each piece of work runs on a stack of its
// own in the time a frame leaves before the browser's next animation frame,
// and gives the thread back at a checkpoint once that time is up. Waiting
// for a result runs the work until it is there.
#pragma once

#include <functional>

namespace tuublark {

// A point in long work where the page's thread may go back to the game:
// when the work runs on a page worker and its time is up. Does nothing on
// the desktop, where work has threads. Never call it holding a lock: the
// game's stack would run, and may take the same lock, before the work
// goes on.
#ifdef __EMSCRIPTEN__
void WorkerCheckpoint();
#else
inline void WorkerCheckpoint() {}
#endif

#ifdef __EMSCRIPTEN__
// Queues `work` to run on a stack of its own.
void StartPageWorker(std::function<void()> work);
// Runs queued work, each in turn, until the page clock (milliseconds)
// reaches `deadline` or no work is left.
void RunPageWorkersUntil(double deadline);
// Runs queued work until `done` holds or no work is left. Work waiting for
// other work gives the thread back to the caller that runs it.
void RunPageWorkersUntil(const std::function<bool()>& done);
#endif

}  // namespace tuublark
