#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/runtime_state.h"
#include "settings/folders.h"
#include "support/bounded_copy.h"
#include "support/exception_handler.h"
#include "support/logger.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

class ExceptionHandlerTest : public ::testing::Test {
  protected:
    void TearDown() override { CLogger::EnableDebug(false); }

    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(ExceptionHandlerTest, InstallerConfiguresTheCrashReport) {
    ExceptionHandlerInstaller installer;
    const pw::sim::SimCrashReporter& reporter = desktop.crashReporter;
    EXPECT_EQ(reporter.appName, L"Pallawick");
    EXPECT_EQ(reporter.appVersion, L"2.14");
    const String settings = L"C:\\Users\\User\\AppData\\Roaming\\Orvane Works\\Pallawick\\";
    Char logFile[pw::folders::kMaxPath];
    ASSERT_EQ(GetLogFile(logFile, pw::folders::kMaxPath, false), 0);
    EXPECT_EQ(reporter.attachments, (std::vector<String>{logFile, settings + L"VESKSettings.xml"}));
    EXPECT_EQ(reporter.port, 80);
    EXPECT_FALSE(reporter.supportEmail.empty());
    EXPECT_FALSE(reporter.supportUrl.empty());
    EXPECT_FALSE(reporter.server.empty());
    EXPECT_FALSE(reporter.notificationEmail.empty());
    EXPECT_EQ(reporter.flags, 7u);
    EXPECT_EQ(reporter.installCount, 1);
    pw::TerminateHandler();
    EXPECT_EQ(reporter.installCount, 2);

    // A settings folder that cannot be resolved is not attached.
    desktop.crashReporter.attachments.clear();
    desktop.environment.UnsetVariable(L"APPDATA");
    ExceptionHandlerInstaller again;
    ASSERT_EQ(reporter.attachments.size(), 1u);
    EXPECT_NE(reporter.attachments[0].find(L"Pallawick.log"), String::npos);
}

TEST_F(ExceptionHandlerTest, CrashReportIsWrittenBesideTheLog) {
    ExceptionHandlerInstaller installer;
    Char logFile[pw::folders::kMaxPath];
    ASSERT_EQ(GetLogFile(logFile, pw::folders::kMaxPath, false), 0);
    const String log(logFile);
    EXPECT_EQ(desktop.crashReporter.reportFolder, log.substr(0, log.rfind(L'\\') + 1));
}

TEST_F(ExceptionHandlerTest, CrashRunsThePreErrorHandlerFirst) {
    using Kind = pw::platform::Hooks::Kind;
    g_hMouseHook = desktop.hooks.SetHook(Kind::MouseLowLevel, &pw::MouseHookLLProc);
    ASSERT_NE(g_hMouseHook, nullptr);
    ExceptionHandlerInstaller installer;
    ASSERT_FALSE(CLogger::DebugEnabled());
    desktop.crashReporter.Crash();
    EXPECT_EQ(desktop.crashReporter.reportCount, 1);
    EXPECT_TRUE(CLogger::DebugEnabled());
    // A crashing library leaves no hook behind.
    EXPECT_TRUE(Logged(L"Removing mouse hook..."));
    EXPECT_EQ(g_hMouseHook, nullptr);
    EXPECT_TRUE(desktop.hooks.InstalledHooks().empty());
}

void OuterHandler(const Char*) {}

TEST_F(ExceptionHandlerTest, InvalidParameterHandlerLogsAndRestoresThePrevious) {
    pw::InvalidParameterHandler outer = pw::SetInvalidParameterHandler(&OuterHandler);
    {
        InvalidParameterInstaller installer;
        Char small[4];
        EXPECT_EQ(pw::CopyString(small, 4, L"too long"), pw::kCopyRange);
        EXPECT_EQ(small[0], 0);
        EXPECT_TRUE(Logged(L"InvalidParameterHandler: Expression: (L\"Buffer is too small\" && "
                           L"0)\n"));
    }
    EXPECT_EQ(pw::GetInvalidParameterHandler(), &OuterHandler);
    pw::SetInvalidParameterHandler(outer);
}

TEST_F(ExceptionHandlerTest, HandleExceptionLogsTheContextAndRethrows) {
    auto fail = [] {
        try {
            throw std::runtime_error("boom");
        } catch (...) {
            pw::handle_exception(L"%ls(%d)", L"WorkerThread", 3);
        }
    };
    EXPECT_THROW(fail(), std::runtime_error);
    EXPECT_TRUE(Logged(L"Caught an exception in WorkerThread(3)...\n"));

    // A context that does not format is logged as written.
    auto overflow = [] {
        try {
            throw 42;
        } catch (...) {
            pw::handle_exception(L"%ls", String(5000, L'z').c_str());
        }
    };
    EXPECT_THROW(overflow(), int);
    EXPECT_TRUE(Logged(L"Caught an exception in %ls...\n"));
}

} // namespace
