// The system's low-level hook time-out, which the mouse hook measures itself against.

#include "hook/flag_functions.h"

#include "platform/handles.h"
#include "settings/reg_key.h"
#include "support/report_exception.h"

namespace {

constexpr const Char* kDesktopKey = L"Control Panel\\Desktop";
constexpr const Char* kHooksTimeoutValue = L"LowLevelHooksTimeout";

} // namespace

uint32_t GetHooktimeoutValue() {
    try {
        // Only a 32-bit value counts: a missing value or one of another type gives 0,
        // which turns the overrun check off.
        CMyRegKey desktop(kDesktopKey, pw::platform::CurrentUserKey(), pw::platform::kKeyRead);
        unsigned long timeout = 0;
        if (!desktop.GetValue(kHooksTimeoutValue, &timeout))
            return 0;
        return static_cast<uint32_t>(timeout);
    } catch (...) {
        pw::ReportException(L"GetHooktimeoutValue");
        return 0;
    }
}
