#include "actions/action_dispatch.h"

#include "actions/action_families.h"

#include <array>

namespace pw::actions {
namespace {

using Family = bool (*)(const ActionCall&);

constexpr int kActionCount = actLockYAxisToggle + 1;

constexpr void Assign(std::array<Family, kActionCount>& table,
                      std::initializer_list<_ACTIONS> codes, Family family) {
    for (_ACTIONS code : codes)
        table[code] = family;
}

constexpr std::array<Family, kActionCount> BuildTable() {
    std::array<Family, kActionCount> table{};
    Assign(table,
           {actLeftClick, actRightClick, actMiddleClick, actClickButton4, actClickButton5,
            actDoubleClick, actDoubleClickDrag},
           RunMouseButtonAction);
    Assign(table,
           {actNextWindow,
            actPreviousWindow,
            actCopy,
            actCut,
            actNew,
            actOpen,
            actPaste,
            actRedo,
            actUndo,
            actEnter,
            actShowHideDesktop,
            actMediaMute,
            actMediaVolumeUp,
            actMediaVolumeDown,
            actMediaNextTrack,
            actMediaLastTrack,
            actMediaStop,
            actMediaPlayPause,
            actLaunchEmail,
            actOpenExplorer,
            actOpenRunCommand,
            actEscape,
            actOpenHelp,
            actOpenWebBrowser,
            actFlip3D,
            actAltTab,
            actPrintScreen,
            actPrintActiveWindow,
            actShowSidebar,
            actSystemMenu,
            actCharmsBar,
            actPCSettings,
            actSearchCharm,
            actSearchApps,
            actSearchFiles,
            actSnapModernUIRight,
            actSnapModernUILeft,
            actSnapWindowLeft,
            actSnapWindowRight,
            actSnapWindowUp,
            actSnapWindowDown,
            actVirtualDesktopNew,
            actVirtualDesktopClose,
            actVirtualDesktopSwitchLeft,
            actVirtualDesktopSwitchRight},
           RunKeystrokeAction);
    Assign(table,
           {actBack, actForward, actBrowserRefresh, actBrowserStop, actBrowserSearch,
            actBrowserFavourites},
           RunAppCommandAction);
    Assign(table, {actClose, actMaximizeWindow, actMinimizeWindow, actRestoreWindow},
           RunWindowCommandAction);
    Assign(table,
           {actLockWorkstation, actRunApplication, actOpenExplorerAtFolder, actOpenMyDocuments,
            actOpenMyComputer, actOpenNetworkFavourites, actOpenControlPanel,
            actActivateScreensaver, actMonitorPowerSaving, actRevealDesktop, actBrightnessUp,
            actBrightnessDown, actWebSearchSelectedText},
           RunShellAction);
    Assign(table, {actMagnifierToggle, actMagnifierZoomIn, actMagnifierZoomOut},
           RunMagnifierAction);
    Assign(table, {actSimulatedKeys}, RunSimulatedKeysAction);
    Assign(table, {actDisable}, RunDisableAction);
    Assign(table,
           {actMouseWheelUp, actMouseWheelDown, actTiltLeft, actTiltRight, actScrollWindowUp,
            actScrollWindowDown, actScrollWindowLeft, actScrollWindowRight},
           RunWheelRepeatAction);
    Assign(table,
           {actLayerNext, actLayerPrevious, actLayer1, actLayer2, actLayer3, actLayer4, actLayer5,
            actLayer6, actLayer7, actLayer8, actLayer9, actLayer10},
           RunLayerAction);
    Assign(table,
           {actStickyLeftButton, actStickyRightButton, actStickyMiddleButton, actSticky4thButton,
            actSticky5thButton, actStickyLeftButtonXAxis, actStickyLeftButtonYAxis},
           RunStickyAction);
    Assign(table,
           {actLockXAxisWhilePressed, actLockXAxisToggle, actLockYAxisWhilePressed,
            actLockYAxisToggle},
           RunAxisLockAction);
    Assign(table,
           {actMovementToScroll, actMovementToScrollLockAxis, actMovementToScrollInverted,
            actMovementToScrollInvertedLockAxis, actMovementToScrollSticky,
            actMovementToScrollStickyLockAxis, actMovementToScrollInvertedSticky,
            actMovementToScrollInvertedStickyLockAxis},
           RunMovementToScrollAction);
    Assign(table, {actButtonChording}, RunChordAction);
    return table;
}

constexpr std::array<Family, kActionCount> kFamilies = BuildTable();

} // namespace

bool DispatchAction(const ActionCall& call) {
    const int code = call.action;
    if (code < 0 || code >= kActionCount)
        return false;
    Family family = kFamilies[code];
    return family ? family(call) : false;
}

} // namespace pw::actions
