#include "support/text.h"

#include <gtest/gtest.h>

TEST(Text, Utf8RoundTripsAndReplacesInvalidSequences) {
    String text = L"Caf\u00e9 \u20ac \U0001F600";
    EXPECT_EQ(pw::FromUtf8(pw::ToUtf8(text)), text);
    EXPECT_EQ(pw::ToUtf8(L"\u00e9"), "\xC3\xA9");
    // A lone continuation byte, an overlong form and a truncated sequence.
    EXPECT_EQ(pw::FromUtf8("a\x80z"), L"a\uFFFDz");
    EXPECT_EQ(pw::FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");
    EXPECT_EQ(pw::FromUtf8("ab\xE2\x82"), L"ab\uFFFD\uFFFD");
}
