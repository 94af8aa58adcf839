// The catalogue of faults as `kassivo faults list` prints it: each NAME=VALUE
// with what it refuses, the message, and what else it does.
#pragma once

#include <ostream>

namespace kassivo::cli {

void PrintFaultCatalogue(std::ostream& out);

}  // namespace kassivo::cli
