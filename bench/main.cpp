#include "ratio_reporter.h"

PISARION_BENCHMARK_MAIN()
