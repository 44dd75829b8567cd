#pragma once

// The library's registered window messages. Each is registered by name when the library
// loads; the main program registers the same names to talk to it.

namespace pw::runtime {

struct RegisteredMessages {
    unsigned processInput = 0;    // "VESK_ProcessInput": send-input thread, run its queue
    unsigned startSpi = 0;        // "VESK_StartSPI": system-parameter thread, start
    unsigned processSpi = 0;      // "VESK_ProcessSPI": system-parameter thread, a request
    unsigned resetHook = 0;       // "VESK_ResetHook": hook thread control, timer thread quit
    unsigned buttonProcessed = 0; // "VSKSHMsg": setup window, a button was processed
    unsigned layerChanged = 0;    // "VESKLayerChanged": main window, the layer changed
    unsigned mainWindow = 0;      // "VESKMainWindow": main window, the hook state changed
    unsigned processChanged = 0;  // "VESK_ProcessChanged": setup window, the profile changed
    unsigned findHover = 0;       // "VESK_FindHover": find target, the cursor point
    unsigned setTimer = 0;        // "VESK_SetTimer": timer thread, start a timer kind
    unsigned killTimer = 0;       // "VESK_KillTimer": timer thread, stop a timer kind
    unsigned osdShowWindow = 0;   // "VESK_OSDShowWindow": on-screen display windows
};

// Hook-thread control codes (wParam of "VESK_ResetHook").
inline constexpr unsigned kWpMouseHook = 1;
inline constexpr unsigned kWpKeyHook = 2;
inline constexpr unsigned kWpBoth = 3;
inline constexpr unsigned kWpQuit = 0xA5A5;

// Registers every name through the current platform (again, when a test installed
// another platform) and returns the ids.
const RegisteredMessages& RegisterMessages();
// The ids registered last; all 0 before the first registration.
const RegisteredMessages& Messages();

} // namespace pw::runtime
