#include "input/system_parameter_requests.h"

// No system-parameter thread yet: the request has nowhere to go.
void NewApplicationSettings() {}
