#include "windows/mouse_over.h"

POINT g_ptMouseOver{};
