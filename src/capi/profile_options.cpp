#include "capi/profile_options.h"

#include <cwchar>

namespace pw::capi {

namespace {

using P = CApplicationSettings;

template <bool (P::*Get)() const, void (P::*Set)(bool)>
constexpr ProfileOption Flag(const Char* name) {
    return {name, [](const P& p) { return (p.*Get)() ? 1 : 0; },
            [](P& p, int value) { (p.*Set)(value != 0); }};
}

template <int (P::*Get)() const, void (P::*Set)(int)>
constexpr ProfileOption Number(const Char* name) {
    return {name, [](const P& p) { return (p.*Get)(); }, [](P& p, int value) { (p.*Set)(value); }};
}

// Named after the profile's accessors; new options are added at the end.
constexpr ProfileOption kOptions[] = {
    Flag<&P::IsEnabled, &P::SetEnableFlag>(L"Enabled"),
    Flag<&P::RegExMatching, &P::SetRegExMatching>(L"RegExMatching"),
    Flag<&P::NoParent, &P::SetNoParentFlag>(L"NoParent"),
    Flag<&P::InvertedScrolling, &P::SetInvertScrolling>(L"InvertScrolling"),
    Flag<&P::InvertedHorzScrolling, &P::SetInvertHorzScrolling>(L"InvertHorzScrolling"),
    Flag<&P::ScrollPages, &P::SetScrollPages>(L"ScrollPages"),
    Flag<&P::AxisLocking, &P::SetAxisLocking>(L"AxisLocking"),
    Flag<&P::ForceSPIMessage, &P::SetForceSPIMessage>(L"ForceSPIMessage"),
    Flag<&P::GetDisableScrollUnderCursor, &P::SetDisableScrollUnderCursor>(
        L"DisableScrollUnderCursor"),
    Flag<&P::GetIgnoreVScroll, &P::SetIgnoreVScroll>(L"IgnoreVScroll"),
    Flag<&P::GetIgnoreHScroll, &P::SetIgnoreHScroll>(L"IgnoreHScroll"),
    Number<&P::ScrollLines, &P::SetScrollLines>(L"ScrollLines"),
    Number<&P::AdvScrollMethod, &P::SetAdvScrollMethod>(L"AdvScrollMethod"),
    Number<&P::AdvScrollVertical, &P::SetAdvScrollVertical>(L"AdvScrollVertical"),
    Number<&P::AdvScrollHorizontal, &P::SetAdvScrollHorizontal>(L"AdvScrollHorizontal"),
    Number<&P::GetIgnoreVScrollTime, &P::SetIgnoreVScrollTime>(L"IgnoreVScrollTime"),
    Number<&P::GetIgnoreHScrollTime, &P::SetIgnoreHScrollTime>(L"IgnoreHScrollTime"),
    {L"SwapButtons", [](const P& p) { return static_cast<int>(p.SwapButtons()); },
     [](P& p, int value) { p.SetSwapButtons(static_cast<swapbuttons>(value)); }},
    {L"WindowMask", [](const P& p) { return static_cast<int>(p.GetWindowMask()); },
     [](P& p, int value) { p.SetWindowMask(static_cast<WINDOWMASK>(value)); }},
};

} // namespace

const ProfileOption* ProfileOptionAt(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kOptions)))
        return nullptr;
    return &kOptions[index];
}

const ProfileOption* FindProfileOption(const Char* name) {
    if (!name)
        return nullptr;
    for (const ProfileOption& option : kOptions) {
        if (std::wcscmp(option.name, name) == 0)
            return &option;
    }
    return nullptr;
}

} // namespace pw::capi
