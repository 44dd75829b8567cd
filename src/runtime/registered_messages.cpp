#include "runtime/registered_messages.h"

#include "platform/platform.h"

namespace pw::runtime {

namespace {

RegisteredMessages g_messages;

// Registered while the library loads, as soon as the platform is there.
struct RegisterAtLoad {
    RegisterAtLoad() { RegisterMessages(); }
} g_registerAtLoad;

} // namespace

const RegisteredMessages& RegisterMessages() {
    platform::Messages& messages = platform::GetMessages();
    RegisteredMessages ids;
    ids.processInput = messages.RegisterWindowMessage(L"VESK_ProcessInput");
    ids.startSpi = messages.RegisterWindowMessage(L"VESK_StartSPI");
    ids.processSpi = messages.RegisterWindowMessage(L"VESK_ProcessSPI");
    ids.resetHook = messages.RegisterWindowMessage(L"VESK_ResetHook");
    ids.buttonProcessed = messages.RegisterWindowMessage(L"VSKSHMsg");
    ids.layerChanged = messages.RegisterWindowMessage(L"VESKLayerChanged");
    ids.mainWindow = messages.RegisterWindowMessage(L"VESKMainWindow");
    ids.processChanged = messages.RegisterWindowMessage(L"VESK_ProcessChanged");
    ids.findHover = messages.RegisterWindowMessage(L"VESK_FindHover");
    ids.setTimer = messages.RegisterWindowMessage(L"VESK_SetTimer");
    ids.killTimer = messages.RegisterWindowMessage(L"VESK_KillTimer");
    ids.osdShowWindow = messages.RegisterWindowMessage(L"VESK_OSDShowWindow");
    g_messages = ids;
    return g_messages;
}

const RegisteredMessages& Messages() {
    return g_messages;
}

} // namespace pw::runtime
