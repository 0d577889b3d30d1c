// The upper folder.
#pragma once

#include "low/low.h"
