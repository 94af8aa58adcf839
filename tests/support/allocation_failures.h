// Running out of memory on demand, for tests: the unit-test program replaces
// the global operator new so that, once armed, the Nth allocation from then
// on and every one after it throws std::bad_alloc, until disarmed. Unarmed,
// allocation behaves as usual.
#pragma once

#include <cstdint>

namespace kassivo::testing {

// Memory runs out after `allocations` more allocations (0: at the next one).
void FailAllocationAfter(std::int64_t allocations);
// Memory is back; true when it had run out.
bool StopFailingAllocations();

}  // namespace kassivo::testing
