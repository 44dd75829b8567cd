#pragma once

// The action codes a button slot can be mapped to and the send modes of a
// simulated-keystroke slot. Every number here is stored in the settings file and crosses
// the exported interface: the values are fixed and never renumbered.

#include <cstdint>

enum _ACTIONS : int32_t {
    actLeftClick = 0,
    actRightClick = 1,
    actNextWindow = 2,
    actBack = 3,
    actForward = 4,
    actMiddleClick = 5,
    actDisable = 6,
    actClose = 7,
    actCopy = 8,
    actCut = 9,
    actDoubleClick = 10,
    actEnter = 11,
    actMaximizeWindow = 12,
    actMinimizeWindow = 13,
    actNew = 14,
    actOpen = 15,
    actPaste = 16,
    actRedo = 17,
    actShowHideDesktop = 18,
    actUndo = 19,
    actMediaMute = 20,
    actMediaVolumeUp = 21,
    actMediaVolumeDown = 22,
    actMediaNextTrack = 23,
    actMediaLastTrack = 24,
    actMediaStop = 25,
    actMediaPlayPause = 26,
    actLaunchEmail = 27,
    actSimulatedKeys = 28,
    actLockWorkstation = 29,
    actOpenExplorer = 30,
    actOpenRunCommand = 31,
    actRestoreWindow = 32,
    actEscape = 33,
    actOpenHelp = 34,
    actOpenWebBrowser = 35,
    actBrowserStop = 36,
    actBrowserRefresh = 37,
    actBrowserSearch = 38,
    actBrowserFavourites = 39,
    actNoChange = 40,
    actRunApplication = 41,
    actMouseWheelUp = 42,
    actMouseWheelDown = 43,
    actFlip3D = 44,
    actAltTab = 45,
    actPrintScreen = 46,
    actPrintActiveWindow = 47,
    actShowSidebar = 48,
    actStickyLeftButton = 49,
    actStickyRightButton = 50,
    actStickyMiddleButton = 51,
    actLayerNext = 52,
    actLayerPrevious = 53,
    actLayer1 = 54,
    actLayer2 = 55,
    actLayer3 = 56,
    actLayer4 = 57,
    actLayer5 = 58,
    actOpenExplorerAtFolder = 59,
    actOpenMyDocuments = 60,
    actOpenMyComputer = 61,
    actOpenNetworkFavourites = 62,
    actOpenControlPanel = 63,
    actDoubleClickDrag = 64,
    actTiltLeft = 65,
    actTiltRight = 66,
    actScrollWindowUp = 67,
    actScrollWindowDown = 68,
    actScrollWindowLeft = 69,
    actScrollWindowRight = 70,
    actPreviousWindow = 71,
    actActivateScreensaver = 72,
    actMonitorPowerSaving = 73,
    actSameAsDefaultProfile = 74,
    actSticky4thButton = 75,
    actSticky5thButton = 76,
    actMovementToScroll = 77,
    actStickyLeftButtonXAxis = 78,
    actStickyLeftButtonYAxis = 79,
    actMovementToScrollSticky = 80,
    actRevealDesktop = 81,
    actSameAsLayer1 = 82,
    actSystemMenu = 83,
    actCharmsBar = 84,
    actPCSettings = 85,
    actSearchCharm = 86,
    actSearchApps = 87,
    actSearchFiles = 88,
    actSnapModernUIRight = 89,
    actSnapModernUILeft = 90,
    actMagnifierToggle = 91,
    actBrightnessUp = 92,
    actBrightnessDown = 93,
    actSnapWindowLeft = 94,
    actSnapWindowRight = 95,
    actSnapWindowUp = 96,
    actSnapWindowDown = 97,
    actVirtualDesktopNew = 98,
    actVirtualDesktopClose = 99,
    actVirtualDesktopSwitchLeft = 100,
    actVirtualDesktopSwitchRight = 101,
    actLayer6 = 102,
    actLayer7 = 103,
    actLayer8 = 104,
    actLayer9 = 105,
    actLayer10 = 106,
    actReservedFirst = 107, // 107 to 116 are reserved and do nothing
    actReservedLast = 116,
    actMagnifierZoomIn = 117,
    actMagnifierZoomOut = 118,
    actClickButton4 = 119,
    actClickButton5 = 120,
    actMovementToScrollLockAxis = 121,
    actMovementToScrollStickyLockAxis = 122,
    actMovementToScrollInverted = 123,
    actMovementToScrollInvertedSticky = 124,
    actMovementToScrollInvertedLockAxis = 125,
    actMovementToScrollInvertedStickyLockAxis = 126,
    actWebSearchSelectedText = 127,
    actButtonChording = 128,
    actLockXAxisWhilePressed = 129,
    actLockXAxisToggle = 130,
    actLockYAxisWhilePressed = 131,
    actLockYAxisToggle = 132,
};

// Left and right button swap applied while a profile is current.
enum swapbuttons : int32_t {
    swapUnchanged = 0, // as the system had it when the library started
    swapNormal = 1,
    swapSwapped = 2,
};

// The quarters of the matched window a profile applies to (a bit set).
enum WINDOWMASK : int32_t {
    wmNone = 0,
    wmTopLeft = 1,
    wmTopRight = 2,
    wmBottomLeft = 4,
    wmBottomRight = 8,
    wmWholeWindow = 15, // no region test
    wmNeverMatches = 255,
};

// Index into the global hotkey table; the slots' meanings belong to the settings program.
enum GlobalHotkeys : int32_t {
    ghkFirst = 0,
    ghkLast = 18,
    ghkCount = 19,
};

// Index into the layer modifier-key table.
enum ModifierKeys : int32_t {
    lmkFirst = 0,
    lmkLast = 11,
    lmkCount = 12,
};

namespace pw::settings {

inline constexpr int kActionCount = 133;

constexpr bool IsValidAction(int action) {
    return action >= 0 && action < kActionCount;
}

// Send modes of a simulated-keystroke slot (its SendKeyAction).
enum class SendKeyMode : int32_t {
    Pressed = 0,
    Released = 1,
    During = 2, // the default: down with the button, up with it
    ThreadDown = 3,
    ThreadUp = 4,
    Repeat = 5,
    StickyRepeat = 6,
    StickyHold = 7,
    PressedAndReleased = 8,
};

inline constexpr int kDefaultSendKeyAction = static_cast<int>(SendKeyMode::During);

} // namespace pw::settings
