#pragma once
// Long prints report their progress and can be stopped.

#include <functional>

// Called by a layout as it goes (rows done of the total); false stops the
// print, which then abandons its document.
using PrintProgress = std::function<bool(int done, int total)>;

// Calls the progress callback, when there is one; false when it says stop.
inline bool goOn(const PrintProgress& progress, int done, int total) {
    return !progress || progress(done, total);
}
