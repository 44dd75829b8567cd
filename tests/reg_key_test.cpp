#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/reg_key.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace pw::platform;

namespace {

const Char* const kKey = L"Software\\Orvane Works\\Pallawick";

class RegKeyTest : public ::testing::Test {
  protected:
    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(RegKeyTest, MissingKeyIsInvalidAndEveryOperationFails) {
    CMyRegKey key(kKey, CurrentUserKey(), kKeyRead);
    EXPECT_FALSE(key.IsValid());
    unsigned long value = 99;
    EXPECT_FALSE(key.GetValue(L"x", &value));
    EXPECT_EQ(value, 99u);
    EXPECT_FALSE(key.SetValue(L"x", 1ul));
    EXPECT_FALSE(key.ValueExists(L"x", kRegDword));
    EXPECT_FALSE(key.KeyExists(L"Sub"));
    EXPECT_FALSE(key.CreateKey(L"Sub"));
    EXPECT_EQ(desktop.registry.OpenHandleCount(), 0u);
}

TEST_F(RegKeyTest, ValuesRoundTripWithTheirTypes) {
    {
        CMyRegKey key(kKey, CurrentUserKey(), kKeyAllAccess);
        ASSERT_TRUE(key.CreateKey(kKey, CurrentUserKey()));
        ASSERT_TRUE(key.IsValid());

        EXPECT_TRUE(key.SetValue(L"Timeout", 300ul));
        EXPECT_TRUE(key.SetValue(L"Folder", L"C:\\ab"));
        EXPECT_TRUE(key.ValueExists(L"Timeout", kRegDword));
        EXPECT_FALSE(key.ValueExists(L"Timeout", kRegSz));
        EXPECT_TRUE(key.ValueExists(L"Folder", kRegSz));

        unsigned long number = 0;
        EXPECT_TRUE(key.GetValue(L"Timeout", &number));
        EXPECT_EQ(number, 300u);
        // A DWORD read of a string fails and leaves the output alone.
        number = 1234;
        EXPECT_FALSE(key.GetValue(L"Folder", &number));
        EXPECT_EQ(number, 1234u);

        // Five characters are stored with their terminator.
        unsigned long type = 0, size = 0;
        unsigned char* data = nullptr;
        ASSERT_TRUE(key.GetValue(L"Folder", &type, &data, &size));
        EXPECT_EQ(type, kRegSz);
        EXPECT_EQ(size, (5 + 1) * sizeof(Char));
        EXPECT_EQ(String(reinterpret_cast<const Char*>(data)), L"C:\\ab");
        EXPECT_EQ(data[size], 0); // the extra byte
        delete[] data;

        // A string read needs room for the stored size and the right type.
        std::array<Char, 6> text;
        text.fill(L'#');
        EXPECT_FALSE(key.GetValue(L"Folder", text.data(), 5 * sizeof(Char)));
        EXPECT_EQ(text[0], L'#');
        EXPECT_FALSE(key.GetValue(L"Timeout", text.data(), sizeof text));
        EXPECT_EQ(text[0], L'#');
        EXPECT_TRUE(key.GetValue(L"Folder", text.data(), sizeof text));
        EXPECT_EQ(String(text.data()), L"C:\\ab");

        EXPECT_TRUE(key.DeleteValue(L"Folder"));
        EXPECT_FALSE(key.DeleteValue(L"Folder"));
        EXPECT_FALSE(key.ValueExists(L"Folder", kRegSz));
        EXPECT_FALSE(key.GetValue(L"Folder", &type, &data, &size));
    }
    EXPECT_EQ(desktop.registry.OpenHandleCount(), 0u);
}

TEST_F(RegKeyTest, UnterminatedStringsAreTerminatedWhenThereIsRoom) {
    CMyRegKey key(kKey, CurrentUserKey(), kKeyAllAccess);
    ASSERT_TRUE(key.CreateKey(kKey, CurrentUserKey()));
    const Char raw[] = {L'a', L'b', L'c'};
    ASSERT_EQ(desktop.registry.SetValue(key.Handle(), L"Raw", kRegSz,
                                        reinterpret_cast<const unsigned char*>(raw), sizeof raw),
              0);
    std::array<Char, 4> roomy;
    roomy.fill(L'#');
    EXPECT_TRUE(key.GetValue(L"Raw", roomy.data(), sizeof roomy));
    EXPECT_EQ(String(roomy.data()), L"abc");
    std::array<Char, 3> exact;
    EXPECT_FALSE(key.GetValue(L"Raw", exact.data(), sizeof exact));
    EXPECT_EQ(exact[0], 0);
}

TEST_F(RegKeyTest, SubKeysAndOwnership) {
    CMyRegKey key(kKey, CurrentUserKey(), kKeyAllAccess);
    ASSERT_TRUE(key.CreateKey(kKey, CurrentUserKey()));
    HKEY handle = key.Handle();
    EXPECT_FALSE(key.KeyExists(L"Child"));
    // Without a root the sub-key is created and closed; the object keeps its key.
    EXPECT_TRUE(key.CreateKey(L"Child"));
    EXPECT_EQ(key.Handle(), handle);
    EXPECT_TRUE(key.KeyExists(L"Child"));
    EXPECT_EQ(desktop.registry.OpenHandleCount(), 1u);

    CMyRegKey child(L"Software\\Orvane Works\\Pallawick\\Child", CurrentUserKey(), kKeyRead);
    EXPECT_TRUE(child.IsValid());
    CMyRegKey moved(std::move(child));
    EXPECT_FALSE(child.IsValid());
    EXPECT_TRUE(moved.IsValid());
    EXPECT_EQ(desktop.registry.OpenHandleCount(), 2u);
    moved = std::move(key);
    EXPECT_EQ(moved.Handle(), handle);
    EXPECT_EQ(desktop.registry.OpenHandleCount(), 1u);
}

} // namespace
