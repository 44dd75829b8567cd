/*
 * A main program of another toolchain, through the C interface alone: C89, no C runtime,
 * no Windows SDK headers. Built once in the MSVC ABI (clang, lld-link) and once with
 * mingw-w64 gcc; both builds must print the same report, byte for byte.
 *
 * It loads settings.xml from the current folder, prints every global option, profile,
 * layer, slot and chord, changes a slot and a global option, saves to changed.xml, loads
 * that back and compares, exports a profile and imports it into an empty settings object.
 * Exit code 0 when every check held.
 */

#include <PallawickHook/pallawick_c.h>

/* The few kernel32 functions it needs, declared here instead of through windows.h. */
#define CONSUMER_STD_OUTPUT_HANDLE ((unsigned long)-11)
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* data, unsigned long size,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) void __stdcall ExitProcess(unsigned int code);

#define LAYERS 10
#define BUTTONS 9
#define REPORT_SIZE 65536
#define TEXT_SIZE 1024

/* Where text goes: standard output, or a buffer kept for comparing two walks. */
typedef struct Sink {
    char* buffer; /* null: standard output */
    unsigned long used;
    int overflow;
} Sink;

static char g_first[REPORT_SIZE];
static char g_second[REPORT_SIZE];
static wchar_t g_text[TEXT_SIZE];
static int g_failures;

static const char* const kButtonNames[BUTTONS] = {
    "Left", "Right", "Middle", "XLeft", "XRight", "TiltLeft", "TiltRight", "WheelUp", "WheelDown"};
static const wchar_t* const kLayerOptions[] = {L"RevertLayer1", L"AutoSwitchLayer",
                                               L"AutoSwitchTime", L"Disabled"};

static void Write(Sink* sink, const char* data, unsigned long size) {
    unsigned long written = 0;
    unsigned long i;
    if (!sink->buffer) {
        WriteFile(GetStdHandle(CONSUMER_STD_OUTPUT_HANDLE), data, size, &written, 0);
        return;
    }
    for (i = 0; i < size; ++i) {
        if (sink->used + 1 >= REPORT_SIZE) {
            sink->overflow = 1;
            return;
        }
        sink->buffer[sink->used++] = data[i];
    }
    sink->buffer[sink->used] = 0;
}

static unsigned long Length(const char* text) {
    unsigned long n = 0;
    while (text[n])
        ++n;
    return n;
}

static int WideLength(const wchar_t* text) {
    int n = 0;
    while (text[n])
        ++n;
    return n;
}

static void Put(Sink* sink, const char* text) {
    Write(sink, text, Length(text));
}

static void PutInt(Sink* sink, int value) {
    char digits[16];
    int at = 15;
    unsigned int magnitude = value < 0 ? 0u - (unsigned int)value : (unsigned int)value;
    digits[at] = 0;
    do {
        digits[--at] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        digits[--at] = '-';
    Put(sink, digits + at);
}

/* UTF-16 to UTF-8, a lone surrogate as U+FFFD. */
static void PutWide(Sink* sink, const wchar_t* text, int length) {
    int i;
    for (i = 0; i < length; ++i) {
        unsigned long c = (unsigned short)text[i];
        char bytes[4];
        unsigned long n;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && (unsigned short)text[i + 1] >= 0xDC00 &&
            (unsigned short)text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + ((unsigned short)text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            bytes[0] = (char)c;
            n = 1;
        } else if (c < 0x800) {
            bytes[0] = (char)(0xC0 | (c >> 6));
            bytes[1] = (char)(0x80 | (c & 0x3F));
            n = 2;
        } else if (c < 0x10000) {
            bytes[0] = (char)(0xE0 | (c >> 12));
            bytes[1] = (char)(0x80 | ((c >> 6) & 0x3F));
            bytes[2] = (char)(0x80 | (c & 0x3F));
            n = 3;
        } else {
            bytes[0] = (char)(0xF0 | (c >> 18));
            bytes[1] = (char)(0x80 | ((c >> 12) & 0x3F));
            bytes[2] = (char)(0x80 | ((c >> 6) & 0x3F));
            bytes[3] = (char)(0x80 | (c & 0x3F));
            n = 4;
        }
        Write(sink, bytes, n);
    }
}

static void PutNamed(Sink* sink, const char* name, int value) {
    Put(sink, " ");
    Put(sink, name);
    Put(sink, "=");
    PutInt(sink, value);
}

static Sink StandardOutput(void) {
    Sink sink;
    sink.buffer = 0;
    sink.used = 0;
    sink.overflow = 0;
    return sink;
}

static Sink Buffer(char* buffer) {
    Sink sink;
    sink.buffer = buffer;
    sink.used = 0;
    sink.overflow = 0;
    buffer[0] = 0;
    return sink;
}

static void Check(int held, const char* what) {
    Sink out = StandardOutput();
    Put(&out, held ? "ok: " : "FAILED: ");
    Put(&out, what);
    Put(&out, "\n");
    if (!held)
        ++g_failures;
}

/* A call that must succeed; a failure is reported with its code and counted. */
static int Expect(int code, const char* call) {
    Sink out;
    if (code == PWC_OK)
        return 1;
    out = StandardOutput();
    Put(&out, "FAILED: ");
    Put(&out, call);
    Put(&out, " returned ");
    PutInt(&out, code);
    Put(&out, "\n");
    ++g_failures;
    return 0;
}

static void PutQuoted(Sink* sink, const char* name, const wchar_t* text, int length) {
    Put(sink, " ");
    Put(sink, name);
    Put(sink, "=\"");
    if (length > 0)
        PutWide(sink, text, length);
    Put(sink, "\"");
}

/* Text through the length protocol: the length first (no buffer), then the copy. */
static void PutProfileText(Sink* sink, PwcSettings* settings, int profile, int which,
                           const char* name) {
    int length = 0;
    int code = PwcGetProfileText(settings, profile, which, 0, &length);
    if (code != PWC_MORE_DATA) {
        Expect(code == PWC_OK ? PWC_FAILED : code, "PwcGetProfileText without a buffer");
        return;
    }
    if (length >= TEXT_SIZE) {
        Expect(PWC_FAILED, "PwcGetProfileText length");
        return;
    }
    length += 1;
    if (!Expect(PwcGetProfileText(settings, profile, which, g_text, &length), "PwcGetProfileText"))
        return;
    PutQuoted(sink, name, g_text, length);
}

static int SameWide(const wchar_t* text, int length, const wchar_t* name) {
    int i;
    for (i = 0; i < length; ++i) {
        if (!name[i] || name[i] != text[i])
            return 0;
    }
    return name[length] == 0;
}

/* MouseSpeed is left out: it is the system's pointer speed, read from the system on load
 * and applied to it on save, not a value of the file, so it tells of the machine. */
static void PutGlobalOptions(Sink* sink, PwcSettings* settings) {
    int index;
    for (index = 0;; ++index) {
        int length = TEXT_SIZE;
        int value = 0;
        if (PwcOptionName(index, g_text, &length) != PWC_OK)
            break;
        if (SameWide(g_text, length, L"MouseSpeed"))
            continue;
        Put(sink, "option ");
        PutWide(sink, g_text, length);
        Put(sink, " = ");
        if (Expect(PwcGetOption(settings, g_text, &value), "PwcGetOption"))
            PutInt(sink, value);
        Put(sink, "\n");
    }
    Put(sink, "option SearchURL = ");
    {
        int length = TEXT_SIZE;
        if (Expect(PwcGetTextOption(settings, L"SearchURL", g_text, &length), "PwcGetTextOption"))
            PutWide(sink, g_text, length);
    }
    Put(sink, "\n");
}

static void PutProfileOptions(Sink* sink, PwcSettings* settings, int profile) {
    int index;
    Put(sink, "  options");
    for (index = 0;; ++index) {
        wchar_t name[64];
        int length = 64;
        int value = 0;
        if (PwcProfileOptionName(index, name, &length) != PWC_OK)
            break;
        if (!Expect(PwcGetProfileOption(settings, profile, name, &value), "PwcGetProfileOption"))
            continue;
        Put(sink, " ");
        PutWide(sink, name, length);
        Put(sink, "=");
        PutInt(sink, value);
    }
    Put(sink, "\n");
}

static void PutLayer(Sink* sink, PwcSettings* settings, int profile, int layer) {
    int length = TEXT_SIZE;
    unsigned int option;
    Put(sink, "  layer ");
    PutInt(sink, layer);
    if (Expect(PwcGetLayerName(settings, profile, layer, g_text, &length), "PwcGetLayerName"))
        PutQuoted(sink, "name", g_text, length);
    for (option = 0; option < sizeof kLayerOptions / sizeof kLayerOptions[0]; ++option) {
        int value = 0;
        if (!Expect(PwcGetLayerOption(settings, profile, layer, kLayerOptions[option], &value),
                    "PwcGetLayerOption"))
            continue;
        Put(sink, " ");
        PutWide(sink, kLayerOptions[option], WideLength(kLayerOptions[option]));
        Put(sink, "=");
        PutInt(sink, value);
    }
    Put(sink, "\n");
}

static void PutChords(Sink* sink, PwcSettings* settings, int profile, int layer, int button) {
    int chorded;
    for (chorded = 0; chorded < BUTTONS; ++chorded) {
        int action = 0;
        int length = TEXT_SIZE;
        if (PwcGetChord(settings, profile, layer, button, chorded, &action) != PWC_OK)
            continue;
        Put(sink, "      chord ");
        Put(sink, kButtonNames[chorded]);
        PutNamed(sink, "action", action);
        if (Expect(PwcGetChordKeys(settings, profile, layer, button, chorded, g_text, &length),
                   "PwcGetChordKeys"))
            PutQuoted(sink, "keys", g_text, length);
        Put(sink, "\n");
    }
}

static void PutSlot(Sink* sink, PwcSettings* settings, int profile, int layer, int button) {
    static const char* const kFields[] = {"action", "mode", "repeat", "active", "block", "random"};
    int field;
    int length;
    Put(sink, "    ");
    Put(sink, kButtonNames[button]);
    for (field = PWC_SLOT_ACTION; field <= PWC_SLOT_RANDOMISE_DELAY; ++field) {
        int value = 0;
        if (Expect(PwcGetSlotValue(settings, profile, layer, button, field, &value),
                   "PwcGetSlotValue"))
            PutNamed(sink, kFields[field], value);
    }
    length = TEXT_SIZE;
    if (Expect(PwcGetSlotText(settings, profile, layer, button, PWC_SLOT_KEYS, g_text, &length),
               "PwcGetSlotText"))
        PutQuoted(sink, "keys", g_text, length);
    length = TEXT_SIZE;
    if (Expect(
            PwcGetSlotText(settings, profile, layer, button, PWC_SLOT_APPLICATION, g_text, &length),
            "PwcGetSlotText"))
        PutQuoted(sink, "app", g_text, length);
    Put(sink, "\n");
    PutChords(sink, settings, profile, layer, button);
}

static void PutProfile(Sink* sink, PwcSettings* settings, int profile) {
    int layer;
    Put(sink, "profile ");
    PutInt(sink, profile);
    PutProfileText(sink, settings, profile, PWC_PROFILE_IDENTITY, "identity");
    PutProfileText(sink, settings, profile, PWC_PROFILE_DESCRIPTION, "description");
    PutProfileText(sink, settings, profile, PWC_PROFILE_APPLICATION, "application");
    PutProfileText(sink, settings, profile, PWC_PROFILE_CLASS, "class");
    PutProfileText(sink, settings, profile, PWC_PROFILE_PARENT_CLASS, "parent");
    PutProfileText(sink, settings, profile, PWC_PROFILE_CAPTION, "caption");
    Put(sink, "\n");
    PutProfileOptions(sink, settings, profile);
    for (layer = 0; layer < LAYERS; ++layer) {
        int button;
        PutLayer(sink, settings, profile, layer);
        for (button = 0; button < BUTTONS; ++button)
            PutSlot(sink, settings, profile, layer, button);
    }
}

static void PutSettings(Sink* sink, PwcSettings* settings) {
    int count = 0;
    int profile;
    PutGlobalOptions(sink, settings);
    if (!Expect(PwcProfileCount(settings, &count), "PwcProfileCount"))
        return;
    Put(sink, "profiles ");
    PutInt(sink, count);
    Put(sink, "\n");
    for (profile = 0; profile < count; ++profile)
        PutProfile(sink, settings, profile);
}

static void PutLine(Sink* sink, const char* prefix, const char* line) {
    unsigned long n = 0;
    while (line[n] && line[n] != '\n')
        ++n;
    Put(sink, prefix);
    Write(sink, line, n);
    Put(sink, "\n");
}

/* Compares two walks; at a difference prints the line of each where they part. */
static int SameText(const char* a, const char* b) {
    unsigned long i;
    unsigned long line = 0;
    Sink out;
    for (i = 0; a[i] || b[i]; ++i) {
        if (a[i] != b[i])
            break;
        if (a[i] == '\n')
            line = i + 1;
    }
    if (!a[i] && !b[i])
        return 1;
    out = StandardOutput();
    PutLine(&out, "  first:  ", a + line);
    PutLine(&out, "  second: ", b + line);
    return 0;
}

/* Walks both objects (whole settings, or one profile of each) and compares the walks. */
static int SameWalk(PwcSettings* a, int profileA, PwcSettings* b, int profileB) {
    Sink first = Buffer(g_first);
    Sink second = Buffer(g_second);
    if (profileA < 0) {
        PutSettings(&first, a);
        PutSettings(&second, b);
    } else {
        PutProfile(&first, a, profileA);
        PutProfile(&second, b, profileB);
    }
    if (first.overflow || second.overflow) {
        Check(0, "walk fits its buffer");
        return 0;
    }
    /* The profile numbers differ when profileA != profileB: skip the first line. */
    if (profileA >= 0 && profileA != profileB) {
        char* restA = g_first;
        char* restB = g_second;
        while (*restA && *restA != '\n')
            ++restA;
        while (*restB && *restB != '\n')
            ++restB;
        return SameText(restA, restB);
    }
    return SameText(g_first, g_second);
}

static int SlotValue(PwcSettings* settings, int profile, int layer, int button, int field) {
    int value = -1;
    Expect(PwcGetSlotValue(settings, profile, layer, button, field, &value), "PwcGetSlotValue");
    return value;
}

static int SlotKeysAre(PwcSettings* settings, int profile, int layer, int button,
                       const wchar_t* keys) {
    int length = TEXT_SIZE;
    if (!Expect(PwcGetSlotText(settings, profile, layer, button, PWC_SLOT_KEYS, g_text, &length),
                "PwcGetSlotText"))
        return 0;
    return SameWide(g_text, length, keys);
}

static void Report(void) {
    Sink out = StandardOutput();
    Put(&out, "== report\n");
    Put(&out, g_failures ? "result: FAILED (" : "result: ok (");
    PutInt(&out, g_failures);
    Put(&out, " failures)\n");
}

/* The changes: the middle button on layer 1 of profile 1 types Ctrl+S, debounce on. */
static void Change(PwcSettings* settings) {
    Expect(PwcSetSlotAction(settings, 1, 1, 2, 28), "PwcSetSlotAction");
    Expect(PwcSetSlotKeys(settings, 1, 1, 2, L"{CTRL}s", 1, 50, 1, 0, 0), "PwcSetSlotKeys");
    Expect(PwcSetOption(settings, L"EnableDebounce", 1), "PwcSetOption");
}

static void RoundTrip(PwcSettings* settings) {
    PwcSettings* loaded = 0;
    int value = 0;
    Sink out = StandardOutput();
    Put(&out, "== change and save\n");
    Change(settings);
    if (!Expect(PwcSettingsSave(settings, L"changed.xml"), "PwcSettingsSave"))
        return;
    if (!Expect(PwcSettingsLoad(L"changed.xml", &loaded), "PwcSettingsLoad changed.xml"))
        return;
    Check(SlotValue(loaded, 1, 1, 2, PWC_SLOT_ACTION) == 28, "the changed slot's action");
    Check(SlotValue(loaded, 1, 1, 2, PWC_SLOT_SEND_MODE) == 1, "the changed slot's send mode");
    Check(SlotValue(loaded, 1, 1, 2, PWC_SLOT_REPEAT) == 50, "the changed slot's repeat");
    Check(SlotKeysAre(loaded, 1, 1, 2, L"{CTRL}s"), "the changed slot's keys");
    Check(PwcGetOption(loaded, L"EnableDebounce", &value) == PWC_OK && value == 1,
          "the changed global option");
    Check(SameWalk(settings, -1, loaded, -1), "the reloaded file equals the changed settings");
    PwcSettingsFree(loaded);
}

static void Exchange(PwcSettings* settings) {
    PwcSettings* other = 0;
    int imported = 0;
    int count = 0;
    Sink out = StandardOutput();
    Put(&out, "== export and import\n");
    if (!Expect(PwcExportProfile(settings, 1, L"profile1.xml"), "PwcExportProfile"))
        return;
    if (!Expect(PwcSettingsCreate(&other), "PwcSettingsCreate"))
        return;
    if (Expect(PwcImportProfiles(other, L"profile1.xml", 0, L"", &imported), "PwcImportProfiles") &&
        Expect(PwcProfileCount(other, &count), "PwcProfileCount")) {
        Check(imported == 1 && count == 2, "one profile imported beside the default");
        Check(count == 2 && SameWalk(settings, 1, other, 1),
              "the imported profile equals the exported one");
    }
    PwcSettingsFree(other);
}

static void Errors(PwcSettings* settings) {
    int value = 0;
    int length = 0;
    Sink out = StandardOutput();
    Put(&out, "== errors\n");
    Check(PwcGetOption(settings, L"NoSuchOption", &value) == PWC_INVALID_ARGUMENT,
          "an unknown option is an invalid argument");
    Check(PwcGetSlotValue(settings, 99, 0, 0, PWC_SLOT_ACTION, &value) == PWC_NOT_FOUND,
          "an unknown profile is not found");
    Check(PwcLastError(0, &length) == PWC_MORE_DATA && length > 0, "the last error has a text");
    Check(PwcGetSlotValue(settings, 0, 0, 0, PWC_SLOT_ACTION, &value) == PWC_OK &&
              PwcLastError(0, &length) == PWC_MORE_DATA && length == 0,
          "success clears the last error");
}

void __cdecl ConsumerStart(void) {
    PwcSettings* settings = 0;
    Sink out = StandardOutput();
    Put(&out, "== settings.xml\n");
    if (Expect(PwcSettingsLoad(L"settings.xml", &settings), "PwcSettingsLoad settings.xml")) {
        PutSettings(&out, settings);
        RoundTrip(settings);
        Exchange(settings);
        Errors(settings);
        PwcSettingsFree(settings);
    }
    Report();
    ExitProcess(g_failures ? 1u : 0u);
}
