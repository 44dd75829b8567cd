#include "input/send_keys.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "support/text_compare.h"

using namespace pw::input;

namespace {

// Types the browser or media key of command; commands without a key are only logged.
void TypeCommandKey(int command) {
    const int key = kAppCommandKeyBase + command;
    if (command <= 0 || key > 0xFE) {
        CLogger::LogMessage(L"SendAppCommand: No key for application command %d.", command);
        return;
    }
    pw::SendKey(key, true, 0, 0);
}

} // namespace

bool pw::SendAppCommand(HWND window, int command) {
    const bool browserCommand =
        command >= kAppCommandBrowserBack && command <= kAppCommandBrowserFavorites;
    if (g_bModernApp && browserCommand) {
        TypeCommandKey(command);
        return true;
    }
    const StringView process(g_szLastProcess,
                             pw::BoundedLength(g_szLastProcess, pw::runtime::kProcessNameLength));
    if (!pw::EqualsIgnoringCase(process, L"mstsc.exe")) {
        pw::platform::GetMessages().PostMessage(
            window, pw::platform::kWmAppCommand, reinterpret_cast<WPARAM>(window),
            static_cast<LPARAM>(static_cast<uint32_t>(command) * 0x10000u));
        return false;
    }
    TypeCommandKey(command);
    return false;
}
