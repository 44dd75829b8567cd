// The keystroke language on arbitrary text, played through the key-sending entry points
// in every way an action plays it: whole, in the two halves of "pressed and released",
// and held while a button is down. Once a text has been played out, no key or button
// stays down, unless the text asks for a half click or a press without its release.
//
// The first byte chooses whether an English layout is in force (bit 0); the rest is the
// text, in UTF-8.

#include "fuzz_desktop.h"
#include "input/english_layout.h"
#include "input/send_input.h"
#include "input/send_keys.h"
#include "platform/text.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/thread_lock.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <string>

namespace {

constexpr POINT kPoint{5, 5};

// Tags that press or release one half of a click on purpose.
constexpr const Char* kHalfClicks[] = {L"{LMBD",  L"{RMBD", L"{MMBD",  L"{XMB1D", L"{MB4D",
                                       L"{XMB2D", L"{MB5D", L"{LMBU",  L"{RMBU",  L"{MMBU",
                                       L"{XMB1U", L"{MB4U", L"{XMB2U", L"{MB5U"};

bool Contains(const String& text, const Char* part) {
    return text.find(part) != String::npos;
}

// The library's sender, replaced by one this target plays by hand, and the hook handles
// that mark injected input.
void SetUpSender() {
    static bool done = false;
    if (done)
        return;
    done = true;
    CThreadLock lock(L"KeysFuzzer");
    g_pSettings->SetSimKeyDelay(0);
    g_hKeyboardHook = reinterpret_cast<HHOOK>(uintptr_t{0x4B4B});
    g_hMouseHook = reinterpret_cast<HHOOK>(uintptr_t{0x4D4D});
    g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
}

void UseEnglishLayout(bool use) {
    CThreadLock lock(L"KeysFuzzer");
    if (use)
        pw::input::ChooseEnglishLayout();
    else
        pw::input::ReleaseEnglishLayout();
}

// Plays what the sender holds; the keys and buttons left down afterwards, as text.
std::string PlayAndListHeld() {
    g_pSendInput->ProcessQueue();
    pw::sim::SimulatedDesktop& desktop = pw::fuzz::Desktop();
    std::string held;
    for (int vk = 1; vk < 256; ++vk) {
        if (desktop.input.AsyncKeyState(vk) & 0x8000) {
            held += ' ' + std::to_string(vk);
            desktop.input.SetKeyDown(vk, false);
        }
    }
    pw::fuzz::ForgetRecords();
    {
        CThreadLock lock(L"KeysFuzzer");
        g_nInjectCount = 0;
    }
    return held;
}

void ExpectNothingHeld(const char* how, bool mayHold, const std::string& input) {
    const std::string held = PlayAndListHeld();
    if (!mayHold && !held.empty())
        pw::fuzz::Fail((std::string("keys left down after playing ") + how + ":" + held).c_str(),
                       input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    pw::fuzz::Desktop();
    SetUpSender();
    UseEnglishLayout(data[0] & 1);
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const String keys = pw::FromUtf8(input);

    String upper = keys;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](Char c) { return static_cast<Char>(std::towupper(c)); });
    const bool halfClick = std::any_of(std::begin(kHalfClicks), std::end(kHalfClicks),
                                       [&](const Char* tag) { return Contains(upper, tag); });
    const bool pressOrRelease = Contains(upper, L"{PRESS") || Contains(upper, L"{RELEASE");

    pw::SendKeyStateWhileDown(keys.c_str(), &kPoint, 0);
    ExpectNothingHeld("whole", halfClick || pressOrRelease, input);

    pw::SendKeyStateWhileDown(keys.c_str(), &kPoint, 1);
    pw::SendKeyStateWhileDown(keys.c_str(), &kPoint, 2);
    ExpectNothingHeld("pressed and released", halfClick, input);

    pw::SendKeyStateWhileDown(mbLeft, keys.c_str(), false, &kPoint);
    pw::SendKeyStateWhileDown(mbLeft, keys.c_str(), true, &kPoint);
    ExpectNothingHeld("while a button is held", halfClick, input);
    return 0;
}
