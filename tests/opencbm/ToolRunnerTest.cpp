#include "FailureOf.h"
#include "FakeTools.h"
#include "WaitForTask.h"
#include "model/OpenCBMError.h"
#include "opencbm/OpenCBMService.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>

using namespace vellum;
using namespace vellum::testing;
using namespace std::chrono_literals;

namespace {

struct SentSignal {
    qint64 pid;
    int signal;
    friend bool operator==(const SentSignal&, const SentSignal&) = default;
};

template <typename Task> void expectCancelled(Task& task) {
    EXPECT_EQ(failureOf(std::move(task)).errorCase(), OpenCBMError::Case::cancelled);
}

class ToolRunner : public ::testing::Test {
protected:
    FakeTools tools;
    OpenCBMService service{QStringList{tools.path()}};
    QList<SentSignal> sent;
    bool deliverSignals = true;

    void SetUp() override {
        service.setSignalSender([this](qint64 pid, int signal) {
            sent << SentSignal{pid, signal};
            if (deliverSignals) {
                ::kill(static_cast<pid_t>(pid), signal);
            }
        });
    }

    // A child that says "ready" and then sleeps as itself, keeping the ignored signals.
    QString sleeper(const QString& name, const QByteArray& ignored) {
        return tools.addScript(name,
                               (ignored.isEmpty() ? QByteArray() : "trap '' " + ignored + "\n") +
                                   "echo ready\nexec sleep 30\n");
    }

    QCoro::Task<CommandResult> startUntilReady(const QString& tool) {
        childReady = false;
        return service.run(tool, {}, [this](const QString& line) {
            if (line == QLatin1String("ready")) {
                childReady = true;
            }
        });
    }

    bool childBecomesReady() {
        return waitUntil([this] { return childReady; });
    }

    // Milliseconds from asking for the stop until the run has ended as cancelled.
    template <typename Task> qint64 millisecondsToStop(Task& task, void (OpenCBMService::*stop)()) {
        QElapsedTimer clock;
        clock.start();
        (service.*stop)();
        expectCancelled(task);
        return clock.elapsed();
    }

private:
    bool childReady = false;
};

bool processExists(qint64 pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0;
}

} // namespace

TEST_F(ToolRunner, AProgressToolThatFallsQuietIsReportedOnce) {
    int quiet = 0;
    int heardAfterQuiet = 0;
    service.setQuietWatch(600ms, [&quiet] { ++quiet; });
    // Talks at first, then says nothing for 1.8 s: one report, however busy the machine.
    const QString tool =
        tools.addScript("talker", "for i in 1 2 3 4 5; do echo $i; sleep 0.05; done; sleep 1.8\n");
    waitForTask(service.run(tool, {}, [&](const QString&) { heardAfterQuiet += quiet; }));
    EXPECT_EQ(quiet, 1);
    EXPECT_EQ(heardAfterQuiet, 0) << "reported while the tool still talked";
    // A run without a progress observer (a DOS command) is left alone.
    waitForTask(service.run(tools.addScript("silent", "sleep 0.5\n"), {}));
    EXPECT_EQ(quiet, 1);
}

TEST_F(ToolRunner, StartsWithoutShellInHomeWithNullInputAndItsOwnPath) {
    const QString tool =
        tools.addScript("env", "printf '%s\\n' \"$#\" \"$1\" \"$2\" \"$PWD\" \"$PATH\"\ncat\necho "
                               "end\necho oops >&2\nexit 1\n");
    const CommandResult result =
        waitForTask(service.run(tool, {QStringLiteral("two words"), QStringLiteral("$HOME;*")}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.stderrText, QStringLiteral("oops\n"));
    const QStringList lines = result.stdoutText.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines.mid(0, 3), QStringList({"2", "two words", "$HOME;*"}));
    EXPECT_EQ(QDir(lines[3]).canonicalPath(), QDir::home().canonicalPath());
    EXPECT_TRUE(lines[4].startsWith(tools.path() + QLatin1Char(':')));
    EXPECT_EQ(lines[5], QStringLiteral("end")); // stdin is empty, so cat returned at once
}

TEST_F(ToolRunner, ChildEnvironmentPutsSearchPathsFirst) {
    OpenCBMService fixed({"/opt/homebrew/bin", "/usr/local/bin", "/opt/local/bin"});
    const QByteArray savedPath = qgetenv("PATH");
    qunsetenv("PATH");
    const QString withoutPath = fixed.childEnvironment().value(QStringLiteral("PATH"));
    qputenv("PATH", "/x/bin");
    const QString withPath = fixed.childEnvironment().value(QStringLiteral("PATH"));
    qputenv("PATH", savedPath);
    EXPECT_EQ(withoutPath, QStringLiteral("/opt/homebrew/bin:/usr/local/bin:/opt/local/bin:"
                                          "/usr/bin:/bin"));
    EXPECT_EQ(withPath, QStringLiteral("/opt/homebrew/bin:/usr/local/bin:/opt/local/bin:/x/bin"));
    const QByteArray savedHome = qgetenv("HOME");
    qunsetenv("HOME");
    const QString home = fixed.childEnvironment().value(QStringLiteral("HOME"));
    qputenv("HOME", savedHome);
    EXPECT_EQ(home, QString::fromLocal8Bit(::getpwuid(::getuid())->pw_dir));
}

TEST_F(ToolRunner, LocatesOnlyExecutablesInTheSearchPaths) {
    FakeTools second;
    second.addScript("cbmctrl", "exit 0\n");
    QFile plain(tools.filePath("cbmctrl"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    OpenCBMService twoFolders({tools.path(), second.path()});
    EXPECT_EQ(twoFolders.locateTool("cbmctrl"), second.filePath("cbmctrl"));
    tools.addScript("cbmctrl", "exit 0\n");
    EXPECT_EQ(twoFolders.locateTool("cbmctrl"), tools.filePath("cbmctrl"));
    EXPECT_EQ(failureOf([&] { twoFolders.locateTool("d64copy"); }),
              OpenCBMError::toolNotFound("d64copy", {tools.path(), second.path()}));
}

TEST_F(ToolRunner, SignalDeathsFailedStartsAndIdleStopsLeaveTheServiceUsable) {
    auto killed = service.run(tools.addScript("suicide", "kill -KILL $$\n"), {});
    expectCancelled(killed);
    EXPECT_THROW(waitForTask(service.run(tools.filePath("missing"), {})), PlatformError);
    service.cancelRunningTool();
    service.forceStopRunningTool();
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(waitForTask(service.run(tools.addScript("ok", "exit 4\n"), {})).exitCode, 4);
}

TEST_F(ToolRunner, StopClimbsTheLadderUntilTheChildDies) {
    auto task = startUntilReady(sleeper("stubborn", "INT TERM"));
    ASSERT_TRUE(childBecomesReady());
    const qint64 elapsed = millisecondsToStop(task, &OpenCBMService::cancelRunningTool);
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[0].signal, SIGINT);
    EXPECT_EQ(sent[1].signal, SIGTERM);
    EXPECT_EQ(sent[2].signal, SIGKILL);
    // Ended by the kill at 1.4 s, not by the hang check at 2.2 s.
    EXPECT_GE(elapsed, 1300);
    EXPECT_LT(elapsed, 2200);
}

TEST_F(ToolRunner, StopEndsAPoliteChildAtOnceAndWinsOverItsExitStatus) {
    // `wait` returns as soon as a trapped signal arrives, so the child answers SIGINT at
    // once however busy the machine is, not only after its current sleep.
    const QString polite = tools.addScript("polite", "trap 'exit 0' INT\necho ready\n"
                                                     "while :; do sleep 1 & wait $!; done\n");
    auto task = startUntilReady(polite);
    ASSERT_TRUE(childBecomesReady());
    service.cancelRunningTool();
    expectCancelled(task);
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.last().signal, SIGINT);
}

TEST_F(ToolRunner, ForceStopKillsAtOnce) {
    auto task = startUntilReady(sleeper("sleeper", "INT TERM"));
    ASSERT_TRUE(childBecomesReady());
    service.forceStopRunningTool();
    expectCancelled(task);
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].signal, SIGKILL);
}

TEST_F(ToolRunner, AChildThatSurvivesKillStillLetsTheRunEndOnce) {
    deliverSignals = false;
    auto task = startUntilReady(sleeper("undead", {}));
    ASSERT_TRUE(childBecomesReady());
    EXPECT_GE(millisecondsToStop(task, &OpenCBMService::forceStopRunningTool), 350);
    ASSERT_EQ(sent.size(), 1);
    const qint64 pid = sent[0].pid;
    EXPECT_TRUE(processExists(pid));

    // The child's late end must neither resume the finished run again nor trip over it.
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    const QString ok = tools.addScript("ok", "echo fine\n");
    ASSERT_TRUE(waitUntil([&] { return !processExists(pid); }));
    EXPECT_EQ(waitForTask(service.run(ok, {})).stdoutText, QStringLiteral("fine\n"));
}

TEST_F(ToolRunner, APoliteStopOfAnUndeadChildEndsAtTheHangCheck) {
    deliverSignals = false;
    auto task = startUntilReady(sleeper("undead", {}));
    ASSERT_TRUE(childBecomesReady());
    EXPECT_GE(millisecondsToStop(task, &OpenCBMService::cancelRunningTool), 2200);
    ASSERT_EQ(sent.size(), 3);
    ::kill(static_cast<pid_t>(sent[0].pid), SIGKILL);
}

TEST_F(ToolRunner, ANewRunTakesOverAndKillsTheEarlierChild) {
    auto first = startUntilReady(sleeper("first", "INT TERM"));
    ASSERT_TRUE(childBecomesReady());
    const QString ok = tools.addScript("ok", "echo second\n");
    const CommandResult second = waitForTask(service.run(ok, {}));
    EXPECT_EQ(second.stdoutText, QStringLiteral("second\n"));
    expectCancelled(first);
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].signal, SIGKILL);
}

TEST(ToolSearchPathsTest, OverrideThenPathThenTheUsualFolders) {
    const QStringList usual{"/usr/local/bin", "/usr/bin", "/opt/opencbm/bin", "/opt/homebrew/bin",
                            "/opt/local/bin"};
    struct Case {
        QString overrideFolder;
        QString path;
        QStringList expected;
    };
    const QList<Case> cases{
        {"", "", usual},
        {"/srv/opencbm/", "/home/me/bin:/usr/bin",
         QStringList{"/srv/opencbm", "/home/me/bin"} +
             QStringList{"/usr/bin", "/usr/local/bin", "/opt/opencbm/bin", "/opt/homebrew/bin",
                         "/opt/local/bin"}},
        // Relative and empty entries would depend on where the program was started.
        {"tools", "bin::./x:/usr/local/bin", usual},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(toolSearchPaths(test.overrideFolder, test.path), test.expected)
            << test.path.toStdString();
    }

    const QByteArray saved = qgetenv("VELLUM_OPENCBM_DIR");
    qputenv("VELLUM_OPENCBM_DIR", "/from/environment");
    EXPECT_EQ(currentToolSearchPaths().first(), "/from/environment");
    EXPECT_EQ(OpenCBMService().searchPaths().first(), "/from/environment");
    qputenv("VELLUM_OPENCBM_DIR", saved);
}
