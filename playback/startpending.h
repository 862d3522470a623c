#pragma once

#include <atomic>

namespace tavrel {

// A recording start is under way: set by the main window when it starts one,
// cleared by the first playing time the engine reports (from the engine's
// threads), by the start guard, or when nothing was started after all.
extern std::atomic<int> g_startPending;

}  // namespace tavrel
