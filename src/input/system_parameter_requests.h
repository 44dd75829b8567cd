#pragma once

// Requests to the system-parameter thread.

// Hands the current profile's button swap and wheel settings to the system-parameter
// thread; called after the current profile changed.
void NewApplicationSettings();
