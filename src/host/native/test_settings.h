// Test-only settings of the native add-in, read from the environment when
// its process state is made, so that a test host can play a session with a
// fixed clock and seed and compare what it hears with a recorded transcript:
//
//   KASSIVO_TEST_CLOCK=YYYY-MM-DDTHH:MM:SS.mmm   a fixed clock
//   KASSIVO_TEST_SEED=N                          the random seed (0..4294967295)
//   KASSIVO_TEST_STORE=memory                    registration data in memory only
//   KASSIVO_TEST_DECIMAL=C                       the decimal separator
//   KASSIVO_TEST_THOUSANDS=C                     the thousands separator ("" none)
//
// Each is read as the kassivo host reads its option of the same value
// (--clock=, --seed=, --store=, --decimal=, --thousands=: cli/options.h). A
// value that does not read is ignored (the system's own is used), so a stray
// setting never stops a host from loading the driver.
#pragma once

#include "platform/host_platform.h"

namespace kassivo::native {

PlatformOptions TestSettingsFromEnvironment();

}  // namespace kassivo::native
