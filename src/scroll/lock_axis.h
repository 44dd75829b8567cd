#pragma once

// Axis locking: keeps the pointer on one horizontal or vertical line while a lock is on.

#include "support/export.h"

class PW_API CLockAxis {};
