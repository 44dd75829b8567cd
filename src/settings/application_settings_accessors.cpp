// The one-line accessors, defined here so that the library exports them.

#include "settings/application_settings.h"

#include "settings/profile_edits.h"

CSettings* CApplicationSettings::GetOwner() const {
    return m_pSettings;
}

void CApplicationSettings::SetOwner(CSettings* settings) {
    m_pSettings = settings;
}

const Char* CApplicationSettings::GetFullName() const {
    return m_FullName.Get();
}

const Char* CApplicationSettings::GetDescription() const {
    return m_Description.Get();
}

void CApplicationSettings::SetDescription(const Char* description) {
    m_Description.Assign(description);
}

const Char* CApplicationSettings::GetCaption() const {
    return m_Caption.Get();
}

const Char* CApplicationSettings::GetApplication() const {
    return m_Application.Get();
}

const Char* CApplicationSettings::GetApplicationPattern() const {
    return m_ApplicationPattern.Get();
}

const Char* CApplicationSettings::GetClass() const {
    return m_Class.Get();
}

const Char* CApplicationSettings::GetParentClass() const {
    return m_ParentClass.Get();
}

bool CApplicationSettings::IsDefault() const {
    return m_bIsDefault;
}

bool CApplicationSettings::IsEnabled() const {
    return m_bEnabled;
}

void CApplicationSettings::SetEnableFlag(bool enabled) {
    m_bEnabled = enabled;
    pw::settings::NoteProfileEdit();
}

bool CApplicationSettings::RegExMatching() const {
    return m_bRegExMatching;
}

void CApplicationSettings::SetRegExMatching(bool value) {
    pw::settings::NoteProfileEdit();
    m_bRegExMatching = value;
}

bool CApplicationSettings::NoParent() const {
    return m_bNoParent;
}

void CApplicationSettings::SetNoParentFlag(bool value) {
    m_bNoParent = value;
}

bool CApplicationSettings::InvertedScrolling() const {
    return m_bInvertScrolling;
}

void CApplicationSettings::SetInvertScrolling(bool value) {
    m_bInvertScrolling = value;
}

bool CApplicationSettings::InvertedHorzScrolling() const {
    return m_bInvertHorizontalScrolling;
}

void CApplicationSettings::SetInvertHorzScrolling(bool value) {
    m_bInvertHorizontalScrolling = value;
}

bool CApplicationSettings::ScrollPages() const {
    return m_bScrollPages;
}

void CApplicationSettings::SetScrollPages(bool value) {
    m_bScrollPages = value;
}

bool CApplicationSettings::AxisLocking() const {
    return m_bAxisLocking;
}

void CApplicationSettings::SetAxisLocking(bool value) {
    m_bAxisLocking = value;
}

swapbuttons CApplicationSettings::SwapButtons() const {
    return m_SwapButtons;
}

void CApplicationSettings::SetSwapButtons(swapbuttons value) {
    m_SwapButtons = value;
}

int CApplicationSettings::ScrollLines() const {
    return m_nScrollLines;
}

void CApplicationSettings::SetScrollLines(int lines) {
    m_nScrollLines = lines;
}

bool CApplicationSettings::ForceSPIMessage() const {
    return m_bForceSPI;
}

void CApplicationSettings::SetForceSPIMessage(bool value) {
    m_bForceSPI = value;
}

int CApplicationSettings::AdvScrollMethod() const {
    return m_nAdvScrollMethod;
}

void CApplicationSettings::SetAdvScrollMethod(int method) {
    m_nAdvScrollMethod = method;
}

int CApplicationSettings::AdvScrollVertical() const {
    return m_nAdvScrollVert;
}

void CApplicationSettings::SetAdvScrollVertical(int factor) {
    m_nAdvScrollVert = factor;
}

int CApplicationSettings::AdvScrollHorizontal() const {
    return m_nAdvScrollHorz;
}

void CApplicationSettings::SetAdvScrollHorizontal(int factor) {
    m_nAdvScrollHorz = factor;
}

WINDOWMASK CApplicationSettings::GetWindowMask() const {
    return m_WindowMask;
}

void CApplicationSettings::SetWindowMask(WINDOWMASK mask) {
    m_WindowMask = mask;
}

void CApplicationSettings::SetDisableScrollUnderCursor(bool value) {
    m_bDisableScrollUnderCursor = value;
}

bool CApplicationSettings::GetIgnoreVScroll() const {
    return m_bIgnoreVScroll;
}

void CApplicationSettings::SetIgnoreVScroll(bool value) {
    m_bIgnoreVScroll = value;
}

bool CApplicationSettings::GetIgnoreHScroll() const {
    return m_bIgnoreHScroll;
}

void CApplicationSettings::SetIgnoreHScroll(bool value) {
    m_bIgnoreHScroll = value;
}

int CApplicationSettings::GetIgnoreVScrollTime() const {
    return m_nIgnoreVScrollTime;
}

void CApplicationSettings::SetIgnoreVScrollTime(int milliseconds) {
    m_nIgnoreVScrollTime = milliseconds;
}

int CApplicationSettings::GetIgnoreHScrollTime() const {
    return m_nIgnoreHScrollTime;
}

void CApplicationSettings::SetIgnoreHScrollTime(int milliseconds) {
    m_nIgnoreHScrollTime = milliseconds;
}
