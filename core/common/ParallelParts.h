#pragma once
// Runs independent numbered parts of one job (an encoding, a compression) on every
// processor core.

#include <cstddef>
#include <functional>

namespace wavory {

// Calls task(i) for every i in [0, count), on the calling thread and on up to one more
// thread per further core. The first exception stops the handing out of parts and is
// rethrown once every thread has finished. Without a second thread it runs alone.
void forEachPart(std::size_t count, const std::function<void(std::size_t)>& task);

} // namespace wavory
