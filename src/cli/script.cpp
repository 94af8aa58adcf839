#include "cli/script.h"
