// The lower folder pointing back up.
#include "high/high.h"
