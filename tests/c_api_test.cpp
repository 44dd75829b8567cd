// The C interface through its exports alone, on the simulated desktop's files.

#include "capi/pallawick_c.h"
#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CApiTest : public ::testing::Test {
  protected:
    CApiTest() { desktop.files.CreateDirectory(L"C:\\x"); }
    ~CApiTest() override { PwcSettingsFree(settings); }

    std::wstring Text(int (*get)(PwcSettings*, int, int, wchar_t*, int*), int profile, int which) {
        wchar_t buffer[256];
        int length = 256;
        EXPECT_EQ(get(settings, profile, which, buffer, &length), PWC_OK);
        return std::wstring(buffer, length);
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    PwcSettings* settings = nullptr;
};

TEST_F(CApiTest, EditsSavesAndLoadsBackThroughTheClasses) {
    ASSERT_EQ(PwcSettingsCreate(&settings), PWC_OK);
    int count = 0;
    ASSERT_EQ(PwcProfileCount(settings, &count), PWC_OK);
    EXPECT_EQ(count, 1); // the default profile alone

    int notepad = 0, word = 0;
    ASSERT_EQ(PwcAddProfile(settings, L"notepad.exe", &notepad), PWC_OK);
    ASSERT_EQ(PwcAddProfile(settings, L"winword.exe", &word), PWC_OK);
    EXPECT_EQ(notepad, 1);
    EXPECT_EQ(word, 2);
    ASSERT_EQ(PwcSetSlotAction(settings, notepad, 1, 2, 28), PWC_OK); // simulated keys
    ASSERT_EQ(PwcSetSlotKeys(settings, notepad, 1, 2, L"{CTRL}c", 1, 0, 1, 1, 0), PWC_OK);
    ASSERT_EQ(PwcSetOption(settings, L"MaxLayers", 3), PWC_OK);
    ASSERT_EQ(PwcSetOption(settings, L"EnableDebounce", 1), PWC_OK);
    ASSERT_EQ(PwcSetLayerName(settings, notepad, 1, L"Edit"), PWC_OK);
    ASSERT_EQ(PwcSetChord(settings, notepad, 0, 2, 0, 56, L"x"), PWC_OK);
    ASSERT_EQ(PwcMoveProfile(settings, word, 1), PWC_OK); // winword first now
    ASSERT_EQ(PwcSettingsSave(settings, L"C:\\x\\a.xml"), PWC_OK);

    PwcSettings* loaded = nullptr;
    ASSERT_EQ(PwcSettingsLoad(L"C:\\x\\a.xml", &loaded), PWC_OK);
    PwcSettingsFree(settings);
    settings = loaded;
    int found = 0;
    ASSERT_EQ(PwcFindProfile(settings, L"notepad.exe", &found), PWC_OK);
    EXPECT_EQ(found, 2);
    EXPECT_EQ(Text(&PwcGetProfileText, 1, PWC_PROFILE_APPLICATION), L"winword.exe");
    wchar_t keys[64];
    int length = 64;
    ASSERT_EQ(PwcGetSlotText(settings, found, 1, 2, PWC_SLOT_KEYS, keys, &length), PWC_OK);
    EXPECT_EQ(std::wstring(keys, length), L"{CTRL}c");
    int value = 0;
    ASSERT_EQ(PwcGetSlotValue(settings, found, 1, 2, PWC_SLOT_SEND_MODE, &value), PWC_OK);
    EXPECT_EQ(value, 1);
    ASSERT_EQ(PwcGetOption(settings, L"MaxLayers", &value), PWC_OK);
    EXPECT_EQ(value, 3);
    ASSERT_EQ(PwcGetOption(settings, L"EnableDebounce", &value), PWC_OK);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(Text(&PwcGetLayerName, found, 1), L"Edit");
    ASSERT_EQ(PwcGetChord(settings, found, 0, 2, 0, &value), PWC_OK);
    EXPECT_EQ(value, 56);

    // Export one profile, import it into an empty settings object.
    ASSERT_EQ(PwcExportProfile(settings, found, L"C:\\x\\notepad.xml"), PWC_OK);
    PwcSettings* other = nullptr;
    ASSERT_EQ(PwcSettingsCreate(&other), PWC_OK);
    int imported = 0;
    ASSERT_EQ(PwcImportProfiles(other, L"C:\\x\\notepad.xml", nullptr, L"", &imported), PWC_OK);
    EXPECT_EQ(imported, 1);
    length = 64;
    ASSERT_EQ(PwcGetSlotText(other, 1, 1, 2, PWC_SLOT_KEYS, keys, &length), PWC_OK);
    EXPECT_EQ(std::wstring(keys, length), L"{CTRL}c");
    PwcSettingsFree(other);
}

TEST_F(CApiTest, ReportsErrorsAndCopiesTextByTheLengthProtocol) {
    PwcSettings* missing = reinterpret_cast<PwcSettings*>(1);
    EXPECT_EQ(PwcSettingsLoad(L"C:\\x\\none.xml", &missing), PWC_FILE_ERROR);
    EXPECT_EQ(missing, nullptr);
    int length = 0;
    ASSERT_EQ(PwcLastError(nullptr, &length), PWC_MORE_DATA);
    EXPECT_GT(length, 0);

    ASSERT_EQ(PwcSettingsCreate(&settings), PWC_OK);
    int value = 0;
    EXPECT_EQ(PwcGetOption(settings, L"NoSuchOption", &value), PWC_INVALID_ARGUMENT);
    EXPECT_EQ(PwcGetSlotValue(settings, 5, 0, 0, PWC_SLOT_ACTION, &value), PWC_NOT_FOUND);
    EXPECT_EQ(PwcGetSlotValue(settings, 0, 10, 0, PWC_SLOT_ACTION, &value), PWC_NOT_FOUND);
    EXPECT_EQ(PwcGetSlotValue(settings, 0, 0, 9, PWC_SLOT_ACTION, &value), PWC_NOT_FOUND);
    EXPECT_EQ(PwcRemoveProfile(settings, 0), PWC_INVALID_ARGUMENT);

    // A text of n characters: too small a buffer gets nothing and learns n; exactly n gets
    // the text without its terminator; more gets it terminated.
    ASSERT_EQ(PwcSetTextOption(settings, L"SearchURL", L"abc"), PWC_OK);
    wchar_t buffer[8] = {L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#'};
    length = 2;
    EXPECT_EQ(PwcGetTextOption(settings, L"SearchURL", buffer, &length), PWC_MORE_DATA);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(buffer[0], L'#');
    EXPECT_EQ(PwcGetTextOption(settings, L"SearchURL", buffer, &length), PWC_OK);
    EXPECT_EQ(std::wstring(buffer, 4), L"abc#");
    length = 8;
    EXPECT_EQ(PwcGetTextOption(settings, L"SearchURL", buffer, &length), PWC_OK);
    EXPECT_EQ(std::wstring(buffer), L"abc");
    EXPECT_EQ(PwcLastError(buffer, &length), PWC_OK);
    EXPECT_EQ(length, 0); // success clears the last error

    // Every enumerated option name reads back through its own name.
    wchar_t name[64];
    int index = 0;
    for (length = 64; PwcOptionName(index, name, &length) == PWC_OK; length = 64, ++index)
        EXPECT_EQ(PwcGetOption(settings, name, &value), PWC_OK) << index;
    EXPECT_GT(index, 40);
}

} // namespace
