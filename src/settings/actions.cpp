#include "settings/actions.h"

#include <array>

namespace pw::settings {
namespace {

constexpr std::array<const Char*, kActionCount> kActionNames = {
    L"Left Click",                                            // 0
    L"Right Click",                                           // 1
    L"Next Window",                                           // 2
    L"Back",                                                  // 3
    L"Forward",                                               // 4
    L"Middle Click",                                          // 5
    L"Disable",                                               // 6
    L"Close (Alt+F4)",                                        // 7
    L"Copy (Ctrl+C)",                                         // 8
    L"Cut (Ctrl+X)",                                          // 9
    L"Double Click",                                          // 10
    L"Enter",                                                 // 11
    L"Maximize Window",                                       // 12
    L"Minimize Window",                                       // 13
    L"New",                                                   // 14
    L"Open",                                                  // 15
    L"Paste (Ctrl+V)",                                        // 16
    L"Redo (Ctrl+Y)",                                         // 17
    L"Show/Hide Desktop",                                     // 18
    L"Undo (Ctrl+Z)",                                         // 19
    L"Media - Mute",                                          // 20
    L"Media - Volume Up",                                     // 21
    L"Media - Volume Down",                                   // 22
    L"Media - Next Track",                                    // 23
    L"Media - Last Track",                                    // 24
    L"Media - Stop",                                          // 25
    L"Media - Play/Pause",                                    // 26
    L"Launch EMail",                                          // 27
    L"Simulated Keys",                                        // 28
    L"Lock Workstation",                                      // 29
    L"Open Explorer",                                         // 30
    L"Open RUN Command",                                      // 31
    L"Restore Window",                                        // 32
    L"Escape",                                                // 33
    L"Open Help",                                             // 34
    L"Open Web Browser",                                      // 35
    L"Browser Stop",                                          // 36
    L"Browser Refresh",                                       // 37
    L"Browser Search",                                        // 38
    L"Browser Favourites",                                    // 39
    L"** No Change (Don't intercept) **",                     // 40
    L"Run Application",                                       // 41
    L"Mouse Wheel Up",                                        // 42
    L"Mouse Wheel Down",                                      // 43
    L"Flip 3D",                                               // 44
    L"ALT-TAB",                                               // 45
    L"Print Screen",                                          // 46
    L"Print Active Window",                                   // 47
    L"Show sidebar",                                          // 48
    L"Sticky Left Button [Click-Drag]",                       // 49
    L"Sticky Right Button",                                   // 50
    L"Sticky Middle Button",                                  // 51
    L"Layer (Next)",                                          // 52
    L"Layer (Previous)",                                      // 53
    L"Layer 1",                                               // 54
    L"Layer 2",                                               // 55
    L"Layer 3",                                               // 56
    L"Layer 4",                                               // 57
    L"Layer 5",                                               // 58
    L"Open Explorer at specified folder",                     // 59
    L"Open Explorer at My Documents",                         // 60
    L"Open Explorer at My Computer",                          // 61
    L"Open Explorer at Network Favourites",                   // 62
    L"Open Control Panel",                                    // 63
    L"Double Click Drag",                                     // 64
    L"Mouse Wheel Tilt Left",                                 // 65
    L"Mouse Wheel Tilt Right",                                // 66
    L"Scroll Window Up",                                      // 67
    L"Scroll Window Down",                                    // 68
    L"Scroll Window Left",                                    // 69
    L"Scroll Window Right",                                   // 70
    L"Previous Window",                                       // 71
    L"Activate Screensaver",                                  // 72
    L"Activate Monitor Power Saving",                         // 73
    L"** Same As Default Profile **",                         // 74
    L"Sticky 4th Button",                                     // 75
    L"Sticky 5th Button",                                     // 76
    L"Change Movement to Scroll",                             // 77
    L"Sticky Left Button [Click-Drag] X-Axis",                // 78
    L"Sticky Left Button [Click-Drag] Y-Axis",                // 79
    L"Change Movement to Scroll (Sticky)",                    // 80
    L"Reveal Desktop",                                        // 81
    L"** Same As Layer 1 (current profile) **",               // 82
    L"System Menu (WIN+X)",                                   // 83
    L"Charms Bar (WIN+C)",                                    // 84
    L"PC Settings (WIN+I)",                                   // 85
    L"Search Charm (WIN+Q)",                                  // 86
    L"Search Apps (WIN+W)",                                   // 87
    L"Search Files (WIN+F)",                                  // 88
    L"Snap Modern UI Right",                                  // 89
    L"Snap Modern UI Left",                                   // 90
    L"Magnifier Toggle On/Off",                               // 91
    L"Brightness Up",                                         // 92
    L"Brightness Down",                                       // 93
    L"Snap Window Left",                                      // 94
    L"Snap Window Right",                                     // 95
    L"Snap Window Up",                                        // 96
    L"Snap Window Down",                                      // 97
    L"Virtual Desktop: New",                                  // 98
    L"Virtual Desktop: Close",                                // 99
    L"Virtual Desktop: Switch Left",                          // 100
    L"Virtual Desktop: Switch Right",                         // 101
    L"Layer 6",                                               // 102
    L"Layer 7",                                               // 103
    L"Layer 8",                                               // 104
    L"Layer 9",                                               // 105
    L"Layer 10",                                              // 106
    L"Reserved",                                              // 107
    L"Reserved",                                              // 108
    L"Reserved",                                              // 109
    L"Reserved",                                              // 110
    L"Reserved",                                              // 111
    L"Reserved",                                              // 112
    L"Reserved",                                              // 113
    L"Reserved",                                              // 114
    L"Reserved",                                              // 115
    L"Reserved",                                              // 116
    L"Magnifier Zoom In",                                     // 117
    L"Magnifier Zoom Out",                                    // 118
    L"Click Button 4",                                        // 119
    L"Click Button 5",                                        // 120
    L"Change Movement to Scroll (Lock Axis)",                 // 121
    L"Change Movement to Scroll (Sticky Lock Axis)",          // 122
    L"Change Movement to Scroll Inverted",                    // 123
    L"Change Movement to Scroll Inverted (Sticky)",           // 124
    L"Change Movement to Scroll Inverted (Lock Axis)",        // 125
    L"Change Movement to Scroll Inverted (Sticky Lock Axis)", // 126
    L"Web Search Selected Text",                              // 127
    L"Button Chording",                                       // 128
    L"Lock Mouse X-Axis (While pressed)",                     // 129
    L"Lock Mouse X-Axis (Toggle)",                            // 130
    L"Lock Mouse Y-Axis (While pressed)",                     // 131
    L"Lock Mouse Y-Axis (Toggle)",                            // 132
};

constexpr std::array<const Char*, 9> kSendKeyModeLabels = {
    L"(pressed)", L"(released)",      L"(during)",      L"(thread-down)",       L"(thread-up)",
    L"(repeat)",  L"(sticky repeat)", L"(sticky hold)", L"(pressed & released)"};

} // namespace

const Char* ActionDisplayName(int action) {
    if (!IsValidAction(action))
        return L"Unknown Action";
    return kActionNames[static_cast<size_t>(action)];
}

int LayerOfAction(int action) {
    if (action >= actLayer1 && action <= actLayer5)
        return action - actLayer1;
    if (action >= actLayer6 && action <= actLayer10)
        return action - actLayer6 + 5;
    return -1;
}

bool IsNeutralAction(int action, bool defaultProfile) {
    switch (action) {
    case actNoChange:
    case actLayerNext:
    case actLayerPrevious:
    case actSameAsLayer1:
        return true;
    case actSameAsDefaultProfile:
        return !defaultProfile;
    default:
        return false;
    }
}

const Char* SendKeyModeLabel(int mode) {
    if (mode < 0 || mode >= static_cast<int>(kSendKeyModeLabels.size()))
        return L"(unknown)";
    return kSendKeyModeLabels[static_cast<size_t>(mode)];
}

unsigned long RepeatIntervalForKeyboardSpeed(unsigned speed) {
    constexpr unsigned kFastest = 31;
    if (speed > kFastest)
        speed = kFastest;
    // 400 - speed * 11.8 in tenths of a millisecond, so the truncation is exact.
    return (4000 - speed * 118) / 10;
}

} // namespace pw::settings
