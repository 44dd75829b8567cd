#ifndef PALLAWICK_C_H
#define PALLAWICK_C_H

/*
 * The settings model of PallawickHook.dll for programs in any language: plain C
 * (C89), __cdecl, opaque handles, text as wchar_t (UTF-16 on Windows).
 *
 * Every function returns PWC_OK or an error code; PwcLastError gives the text of the
 * calling thread's last error. Text comes back in the caller's buffer: *length is the
 * buffer's capacity in characters, terminator included. When buffer is null or too
 * small, *length is set to the text's length and PWC_MORE_DATA is returned; otherwise the
 * text is copied (terminated when there is room), *length is set to its length and
 * PWC_OK is returned.
 *
 * Profiles are numbered 0 to count - 1 in the file's order; 0 is the default profile,
 * which cannot be removed or moved. Layers are numbered 0 (the first layer) to 9;
 * buttons are the MouseButtons codes (0 left, 1 right, 2 middle, 3 and 4 the extended
 * buttons, 5 and 6 tilt left and right, 7 and 8 wheel up and down); actions the action
 * codes of the settings file. Loading, saving, clamping and the .bad copies are those
 * of the library's settings classes.
 */

#include <stddef.h>

#if defined(_WIN32)
#if defined(PALLAWICK_BUILDING_DLL)
#define PWC_API __declspec(dllexport)
#else
#define PWC_API __declspec(dllimport)
#endif
#define PWC_CALL __cdecl
#else
#define PWC_API
#define PWC_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PwcSettings PwcSettings; /* a settings object; PwcSettingsFree frees it */

#define PWC_OK 0
#define PWC_MORE_DATA 1        /* a buffer too small; *length holds the length needed */
#define PWC_INVALID_ARGUMENT 2 /* a null handle or pointer, or an unknown name */
#define PWC_NOT_FOUND 3        /* no such profile, layer, button or chord */
#define PWC_FILE_ERROR 4       /* a file that could not be read, parsed or written */
#define PWC_FAILED 5           /* anything else (out of memory, an internal error) */

/* The text of the calling thread's last error ("" after success). */
PWC_API int PWC_CALL PwcLastError(wchar_t* buffer, int* length);

/* Settings objects. */
PWC_API int PWC_CALL PwcSettingsCreate(PwcSettings** settings);
PWC_API int PWC_CALL PwcSettingsLoad(const wchar_t* path, PwcSettings** settings);
PWC_API int PWC_CALL PwcSettingsSave(PwcSettings* settings, const wchar_t* path);
PWC_API void PWC_CALL PwcSettingsFree(PwcSettings* settings);

/* Global options by name; PwcOptionName enumerates the names (index 0 up, until
 * PWC_NOT_FOUND). Flags read as 0 or 1. Text options: "SearchURL", "Language". */
PWC_API int PWC_CALL PwcOptionName(int index, wchar_t* buffer, int* length);
PWC_API int PWC_CALL PwcGetOption(PwcSettings* settings, const wchar_t* name, int* value);
PWC_API int PWC_CALL PwcSetOption(PwcSettings* settings, const wchar_t* name, int value);
PWC_API int PWC_CALL PwcGetTextOption(PwcSettings* settings, const wchar_t* name, wchar_t* buffer,
                                      int* length);
PWC_API int PWC_CALL PwcSetTextOption(PwcSettings* settings, const wchar_t* name,
                                      const wchar_t* value);

/* Profiles. The identity is the profile string ("app.exe", a window class or caption
 * form, as in the settings file); adding appends, PwcMoveProfile reorders. */
PWC_API int PWC_CALL PwcProfileCount(PwcSettings* settings, int* count);
PWC_API int PWC_CALL PwcFindProfile(PwcSettings* settings, const wchar_t* identity, int* profile);
PWC_API int PWC_CALL PwcAddProfile(PwcSettings* settings, const wchar_t* identity, int* profile);
PWC_API int PWC_CALL PwcRemoveProfile(PwcSettings* settings, int profile);
PWC_API int PWC_CALL PwcMoveProfile(PwcSettings* settings, int profile, int position);

#define PWC_PROFILE_IDENTITY 0 /* the whole profile string */
#define PWC_PROFILE_DESCRIPTION 1
#define PWC_PROFILE_APPLICATION 2
#define PWC_PROFILE_CLASS 3
#define PWC_PROFILE_PARENT_CLASS 4
#define PWC_PROFILE_CAPTION 5
PWC_API int PWC_CALL PwcGetProfileText(PwcSettings* settings, int profile, int which,
                                       wchar_t* buffer, int* length);
/* Sets PWC_PROFILE_IDENTITY (which sets the parts) or PWC_PROFILE_DESCRIPTION. */
PWC_API int PWC_CALL PwcSetProfileText(PwcSettings* settings, int profile, int which,
                                       const wchar_t* text);
/* Profile options by name; PwcProfileOptionName enumerates them. */
PWC_API int PWC_CALL PwcProfileOptionName(int index, wchar_t* buffer, int* length);
PWC_API int PWC_CALL PwcGetProfileOption(PwcSettings* settings, int profile, const wchar_t* name,
                                         int* value);
PWC_API int PWC_CALL PwcSetProfileOption(PwcSettings* settings, int profile, const wchar_t* name,
                                         int value);

/* Layers of a profile: the name, and by name "RevertLayer1", "AutoSwitchLayer",
 * "AutoSwitchTime", "Disabled". */
PWC_API int PWC_CALL PwcGetLayerName(PwcSettings* settings, int profile, int layer, wchar_t* buffer,
                                     int* length);
PWC_API int PWC_CALL PwcSetLayerName(PwcSettings* settings, int profile, int layer,
                                     const wchar_t* name);
PWC_API int PWC_CALL PwcGetLayerOption(PwcSettings* settings, int profile, int layer,
                                       const wchar_t* name, int* value);
PWC_API int PWC_CALL PwcSetLayerOption(PwcSettings* settings, int profile, int layer,
                                       const wchar_t* name, int value);

/* Slots: what a button does on a layer of a profile. The key string and its send mode are
 * kept (and saved) for a slot whose action is simulated keys (28). */
#define PWC_SLOT_ACTION 0
#define PWC_SLOT_SEND_MODE 1
#define PWC_SLOT_REPEAT 2
#define PWC_SLOT_WHEN_ACTIVE 3
#define PWC_SLOT_BLOCK_MOUSE 4
#define PWC_SLOT_RANDOMISE_DELAY 5
#define PWC_SLOT_KEYS 0        /* text: the key string */
#define PWC_SLOT_APPLICATION 1 /* text: the program or folder to open */
PWC_API int PWC_CALL PwcGetSlotValue(PwcSettings* settings, int profile, int layer, int button,
                                     int field, int* value);
PWC_API int PWC_CALL PwcGetSlotText(PwcSettings* settings, int profile, int layer, int button,
                                    int field, wchar_t* buffer, int* length);
PWC_API int PWC_CALL PwcSetSlotAction(PwcSettings* settings, int profile, int layer, int button,
                                      int action);
PWC_API int PWC_CALL PwcSetSlotKeys(PwcSettings* settings, int profile, int layer, int button,
                                    const wchar_t* keys, int sendMode, int repeat, int whenActive,
                                    int blockMouse, int randomiseDelay);
PWC_API int PWC_CALL PwcSetSlotApplication(PwcSettings* settings, int profile, int layer,
                                           int button, const wchar_t* path);

/* Chords of a slot: what the slot's button does when chordedButton is pressed with it. */
PWC_API int PWC_CALL PwcGetChord(PwcSettings* settings, int profile, int layer, int button,
                                 int chordedButton, int* action);
PWC_API int PWC_CALL PwcGetChordKeys(PwcSettings* settings, int profile, int layer, int button,
                                     int chordedButton, wchar_t* buffer, int* length);
PWC_API int PWC_CALL PwcSetChord(PwcSettings* settings, int profile, int layer, int button,
                                 int chordedButton, int action, const wchar_t* keys);

/* One profile to an exchange file, and the profiles of one into the settings. A profile
 * whose identity is already there asks the user through the library's message box
 * (owner, prompt), as the settings program's import does. */
PWC_API int PWC_CALL PwcExportProfile(PwcSettings* settings, int profile, const wchar_t* path);
PWC_API int PWC_CALL PwcImportProfiles(PwcSettings* settings, const wchar_t* path, void* owner,
                                       const wchar_t* prompt, int* imported);

#ifdef __cplusplus
}
#endif

#endif
