#include "platform/sim/simulated_desktop.h"
#include "settings/folders.h"
#include "support/library_files.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace {

const std::string kBanner = "\r\n" + std::string(139, '*') + "\r\n";

// A live logger over a fresh simulated desktop; the logger's static state is reset for
// every test.
class LoggerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The log file's place comes from the folder rules, as the library start hands it.
        pw::InstallLibraryFiles({.logFile = &GetLogFile, .settingsFile = nullptr});
        CThreadLock::InitGlobalCS();
        CLogger::Initialise();
        CLogger::EnableDebug(false);
        CLogger::DisableLogging(false);
        desktop.clock.SetTickCount(5000);
        desktop.clock.SetLocalTime(2016, 3, 4, 13, 5, 9);
    }
    void TearDown() override {
        // Later tests log through the same static logger: leave it enabled, as at load.
        CLogger::EnableDebug(false);
        CLogger::DisableLogging(false);
        CLogger::CloseLogFile(false);
        CLogger::Shutdown();
        CThreadLock::DeleteCS();
    }

    String LogPath() {
        Char path[pw::folders::kMaxPath];
        EXPECT_EQ(GetLogFile(path, pw::folders::kMaxPath, true), 0);
        return path;
    }
    std::string LogContents() {
        std::string bytes;
        desktop.files.ReadFile(LogPath(), bytes);
        return bytes;
    }
    bool LogExists() { return desktop.files.Exists(LogPath().c_str()); }
    std::vector<String> DebugLines() { return desktop.diagnostics.DebugLines(); }

    pw::sim::SimulatedDesktop desktop;
};

TEST_F(LoggerTest, DeadLoggerOnlySendsTheShutdownNotice) {
    CLogger::EnableDebug(true);
    CLogger::Shutdown();
    CLogger::LogMessage(L"info %d", 1);
    CLogger::LogDebug(L"debug %d", 2);
    CLogger::DebugOutput(L"output %d", 3);
    const String notice = L"Logger has been shutdown. Unable to enter critical section.";
    EXPECT_EQ(DebugLines(), std::vector<String>(3, notice));
    EXPECT_FALSE(LogExists());

    // Back to life: lines reach the file again.
    CLogger::Initialise();
    CLogger::LogMessage(L"alive");
    EXPECT_NE(LogContents().find("> alive\r\n"), std::string::npos);
}

TEST_F(LoggerTest, LinesCarryTheDayFirstTimestampAndCrLf) {
    desktop.clock.SetTickCount(1234789);
    desktop.clock.SetLocalTime(2016, 3, 4, 13, 5, 9);
    CLogger::LogMessage(L"Hello %ls %d", L"world", 7);
    const String line = L"04-03-2016 13:05:09.0789> Hello world 7\r\n";
    EXPECT_EQ(DebugLines(), std::vector<String>{line});
    EXPECT_EQ(LogContents(), kBanner + pw::ToUtf8(line));

    // Non-ASCII text is written in the file's narrow encoding.
    desktop.clock.Advance(1211); // the ticks end in 000 and the second has changed
    CLogger::LogMessage(L"Caf\u00e9");
    EXPECT_EQ(LogContents(),
              kBanner + pw::ToUtf8(line) + "04-03-2016 13:05:10.0000> Caf\xC3\xA9\r\n");
}

TEST_F(LoggerTest, FailedFormattingAndClockGiveTheFixedTexts) {
    const String tooLong(CLogger::kMaxLine, L'a');
    CLogger::LogMessage(L"%ls", tooLong.c_str());
    CLogger::EnableDebug(true);
    CLogger::LogDebug(L"%ls", tooLong.c_str());
    // A message that fits alone but not behind the timestamp is kept, cut to the line.
    const String almostFull(CLogger::kMaxLine - 10, L'b');
    CLogger::LogMessage(L"%ls", almostFull.c_str());
    desktop.clock.SetLocalTimeAvailable(false);
    CLogger::LogMessage(L"no clock");

    auto lines = DebugLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              L"04-03-2016 13:05:09.0000> ***** Error creating output string in LogMessage() "
              L"*****\r\n");
    EXPECT_NE(lines[1].find(L"> ***** Error creating output string in LogDebug() *****\r\n"),
              String::npos);
    const String prefix = L"Unable to format log timestamp: ";
    EXPECT_EQ(lines[2].size(), CLogger::kMaxLine - 1);
    EXPECT_EQ(lines[2].substr(0, prefix.size() + 3), prefix + L"bbb");
    EXPECT_EQ(lines[2].substr(lines[2].size() - 3), L"b\r\n");
    EXPECT_EQ(lines[3], L"Invalid arg to localtime64: no clock\r\n");
}

TEST_F(LoggerTest, DisabledLoggingSilencesEverythingButDebugOutput) {
    CLogger::EnableDebug(true);
    CLogger::DisableLogging(true);
    EXPECT_TRUE(CLogger::LoggingDisabled());
    CLogger::LogMessage(L"info");
    CLogger::LogDebug(L"debug");
    CLogger::LogOSMessage(5, L"os");
    EXPECT_TRUE(DebugLines().empty());
    EXPECT_FALSE(LogExists());

    CLogger::DebugOutput(L"straight to the debugger %d", 1);
    EXPECT_EQ(DebugLines(),
              std::vector<String>{L"04-03-2016 13:05:09.0000> straight to the debugger 1\r\n"});
    EXPECT_FALSE(LogExists());
}

TEST_F(LoggerTest, DebugLinesNeedDebuggingEnabled) {
    CLogger::LogDebug(L"hidden");
    CLogger::LogOSError(5, L"hidden too");
    EXPECT_TRUE(DebugLines().empty());
    EXPECT_FALSE(LogExists());
    EXPECT_FALSE(CLogger::DebugEnabled());

    CLogger::EnableDebug(true);
    EXPECT_TRUE(CLogger::DebugEnabled());
    CLogger::LogDebug(L"shown");
    CLogger::LogOSError(5, L"Opening %ls", L"x");
    CLogger::LogOSMessage(2, L"Reading");
    const std::string contents = LogContents();
    EXPECT_NE(contents.find("> shown\r\n"), std::string::npos);
    EXPECT_NE(contents.find("> Opening x (5): Access is denied.\r\n"), std::string::npos);
    EXPECT_NE(contents.find("> Reading (2): The system cannot find the file specified.\r\n"),
              std::string::npos);
}

TEST_F(LoggerTest, EveryOpenWritesABannerUnlessDisabled) {
    CLogger::LogMessage(L"one");
    CLogger::CloseLogFile(true);
    CLogger::LogMessage(L"two");
    CLogger::CloseLogFile(false);
    CLogger::DisableBanner();
    CLogger::LogMessage(L"three");
    CLogger::FlushLog();
    const std::string stamp = "04-03-2016 13:05:09.0000> ";
    EXPECT_EQ(LogContents(), kBanner + stamp + "one\r\n" + "\r\n" + kBanner + stamp + "two\r\n" +
                                 stamp + "three\r\n");
}

TEST_F(LoggerTest, AFileThatCannotBeOpenedLeavesTheLineOnTheDebugOutput) {
    desktop.files.FailOpens(5);
    CLogger::LogMessage(L"first");
    auto lines = DebugLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"04-03-2016 13:05:09.0000> first\r\n");
    EXPECT_EQ(lines[1], L"Error 5. Unable to open the log file '" + LogPath() + L"'.\n");

    desktop.files.FailOpens(0);
    CLogger::LogMessage(L"second");
    EXPECT_EQ(LogContents(), kBanner + "04-03-2016 13:05:09.0000> second\r\n");
}

// A file of size bytes whose only line end in its first part is at lineEnd (none if
// lineEnd is past that part); the rest is lines.
std::string MakeLog(size_t size, size_t lineEnd) {
    const size_t tailStart = size - 2'000'000 + 1;
    std::string bytes(tailStart, 'h');
    if (lineEnd < tailStart)
        bytes[lineEnd] = '\n';
    while (bytes.size() < size)
        bytes += bytes.size() % 50 == 0 ? '\r' : static_cast<char>('a' + bytes.size() % 26);
    return bytes;
}

TEST_F(LoggerTest, LargeFilesAreTrimmedFromALineBoundary) {
    const std::string line = "04-03-2016 13:05:09.0000> next\r\n";
    auto reopenWith = [&](const std::string& old) {
        CLogger::CloseLogFile(false);
        ASSERT_TRUE(desktop.files.WriteFile(LogPath(), old));
        CLogger::LogMessage(L"next");
    };

    // At the limit nothing is cut.
    const std::string limit = MakeLog(3'000'000, 999'000);
    reopenWith(limit);
    EXPECT_EQ(LogContents(), limit + kBanner + line);

    // One byte more: the text after the last line end at or before 2,000,000 bytes from
    // the end is kept. The search starts exactly at that offset.
    const std::string over = MakeLog(3'000'001, 990'000);
    reopenWith(over);
    EXPECT_EQ(LogContents(), over.substr(990'001) + kBanner + line);
    const std::string atStart = MakeLog(3'000'001, 1'000'001);
    reopenWith(atStart);
    EXPECT_EQ(LogContents(), atStart.substr(1'000'002) + kBanner + line);

    // Without any line end before that point the file is kept whole.
    const std::string unbroken = MakeLog(3'000'001, 3'000'001);
    reopenWith(unbroken);
    EXPECT_EQ(LogContents(), unbroken + kBanner + line);
}

TEST_F(LoggerTest, LinesNeverWaitForTheGlobalLock) {
    // No line has opened the file yet, and another thread holds the global lock that
    // looking the file's path up takes.
    std::optional<CThreadLock> holder;
    holder.emplace(L"Holder");
    std::atomic<bool> written{false};
    std::thread writer([&] {
        CLogger::LogMessage(L"from the writer");
        written = true;
    });
    EXPECT_TRUE(pw::test::WaitUntil([&] { return written.load(); }));

    // The holder of the global lock logs as well.
    CLogger::LogMessage(L"from the holder");
    holder.reset();
    writer.join();
    const std::string contents = LogContents();
    EXPECT_NE(contents.find("> from the holder\r\n"), std::string::npos);
    EXPECT_NE(contents.find("> from the writer\r\n"), std::string::npos);
    EXPECT_EQ(contents.rfind(kBanner), 0u); // opened once
}

TEST_F(LoggerTest, LongLinesAreConvertedAgainWithTheExactSize) {
    const std::string stamp = "04-03-2016 13:05:09.0000> ";
    CLogger::LogMessage(L"short");
    const size_t before = desktop.diagnostics.ConversionCapacities().size();
    const String text(150, L'x');
    CLogger::LogMessage(L"%ls", text.c_str());
    const int exact = static_cast<int>(stamp.size() + text.size() + 2);
    std::vector<int> asked = desktop.diagnostics.ConversionCapacities();
    asked.erase(asked.begin(), asked.begin() + static_cast<std::ptrdiff_t>(before));
    EXPECT_EQ(asked, (std::vector<int>{128, 0, exact}));
    EXPECT_EQ(LogContents(), kBanner + stamp + "short\r\n" + stamp + pw::ToUtf8(text) + "\r\n");

    // Any other conversion failure loses that line only, and says so on the debug output.
    desktop.diagnostics.FailConversions(1113);
    CLogger::LogMessage(L"lost");
    desktop.diagnostics.FailConversions(0);
    CLogger::LogMessage(L"kept");
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(
        L"Unexpected exception in VESK CLogger::LogMessage\n"));
    EXPECT_EQ(LogContents(), kBanner + stamp + "short\r\n" + stamp + pw::ToUtf8(text) + "\r\n" +
                                 stamp + "kept\r\n");
}

} // namespace
