#include "CapturingReporter.h"
