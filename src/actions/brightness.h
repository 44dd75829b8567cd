#pragma once

// The monitor brightness control behind the Brightness Up and Down actions and the
// brightness tags of simulated keys. Each step reads the level through the system's
// management service, moves it by ten percent within 0 to 100, and tells the brightness
// on-screen display what happened.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/support/export.h>

#include <atomic>

class PW_API CBrightness {
  public:
    // "VESK_OSDShowWindow", posted to the display with wParam 1 and the new level in
    // lParam; kFailed marks a change that did not happen.
    static unsigned OSD_SHOW_WINDOW;
    static constexpr LPARAM kFailed = 0x10000;

    // Initialises the component services for the calling thread, on which the object is
    // also deleted.
    explicit CBrightness(HWND osdWindow);
    ~CBrightness();
    CBrightness(const CBrightness&) = delete;
    CBrightness& operator=(const CBrightness&) = delete;

    // The point of the event is not used: the step applies to the built-in monitor.
    void Up(const POINT& pt);
    void Down(const POINT& pt);
    // Sets the level in percent; whether the system took it.
    bool SetBrightness(int percent);
    void SetOSD(HWND osdWindow);

  private:
    // The level in percent; -1 when it cannot be read.
    int GetBrightness();
    void Step(int delta);
    void ShowOsd(LPARAM lParam);

    std::atomic<HWND> m_hOSDWindow;
    bool m_bComInitialised = false;
};
