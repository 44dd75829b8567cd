#pragma once

// The text type and its conversions, which the platform seam shares with the core.

#include "platform/text.h"
