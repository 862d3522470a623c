#include "startpending.h"

namespace tavrel {

std::atomic<int> g_startPending{0};

}  // namespace tavrel
