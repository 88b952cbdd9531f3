// A batch run of the command-line tool as a user meets its failures: outputs that would replace
// inputs, a standard output that cannot be written, workers that die, hang or are stopped, and
// what killed runs leave behind.

#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <ctime>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

struct Finished
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The tool started in a folder and left running, so that a test can act on it meanwhile.
class RunningCli
{
public:
    RunningCli(const QString &folder, const QStringList &arguments,
               const QString &program = QStringLiteral(QUILLMARK_CLI))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // File names are decoded as UTF-8, as on any current system.
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(folder);
        m_process.start(program, arguments);
        m_process.waitForStarted();
    }

    qint64 processId() const { return m_process.processId(); }

    // The first worker process the tool starts; 0 when none came within a minute. A child that
    // has not yet become the worker program is still part of the tool's start of it.
    qint64 firstWorker()
    {
        const QString children = QStringLiteral("/proc/%1/task/%1/children").arg(processId());
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 60000 && m_process.state() == QProcess::Running) {
            const qint64 child = readBytes(children).trimmed().split(' ').first().toLongLong();
            const QString arguments = QStringLiteral("/proc/%1/cmdline").arg(child);
            if (child > 0 && readBytes(arguments).contains("--worker"))
                return child;
            QThread::msleep(5);
        }
        return 0;
    }

    Finished finish()
    {
        Finished result;
        if (!m_process.waitForFinished(120000)) {
            m_process.kill();
            m_process.waitForFinished();
            return result;
        }
        result.exitCode =
            m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
        result.out = m_process.readAllStandardOutput();
        result.err = m_process.readAllStandardError();
        return result;
    }

private:
    QProcess m_process;
};

bool isRunning(qint64 process)
{
    // A reaped child leaves no /proc entry; one not yet reaped is a zombie, no longer running.
    const QByteArray status = readBytes(QStringLiteral("/proc/%1/stat").arg(process));
    return !status.isEmpty() && !status.contains(") Z ");
}

class BatchRunTest : public ::testing::Test
{
protected:
    // Copies of one corpus screenplay, enough that a worker is still busy when a test acts.
    QStringList screenplays(int count) const
    {
        QStringList names;
        for (int i = 0; i < count; ++i) {
            names.append(QStringLiteral("play%1.txt").arg(i, 2, 10, QLatin1Char('0')));
            QFile::copy(corpusFile(QStringLiteral("the_library_freak_out.txt")),
                        scratch.file(names.last()));
        }
        return names;
    }

    Finished run(const QStringList &arguments) const
    {
        return RunningCli(scratch.path(), arguments).finish();
    }

    // Starts a run over `files`, then sends `signal` to the first worker, or to the tool itself.
    Finished signalled(const QStringList &arguments, int signal, bool toWorker,
                       qint64 *worker) const
    {
        RunningCli cli(scratch.path(), arguments);
        *worker = cli.firstWorker();
        if (*worker > 0)
            ::kill(toWorker ? *worker : cli.processId(), signal);
        return cli.finish();
    }

    QStringList temporaryFiles() const
    {
        return QDir(scratch.path())
            .entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
    }

    ScratchDir scratch;
};

TEST_F(BatchRunTest, OutputThatIsAnInput_IsRefusedBeforeAnythingIsWritten)
{
    const QStringList names = screenplays(2);
    const QByteArray original = readBytes(scratch.file(names.at(0)));
    const QString tableLike = names.at(1) + QStringLiteral("-scene.csv");
    QFile::copy(scratch.file(names.at(0)), scratch.file(tableLike));
    struct Case
    {
        QStringList arguments;
        const char *message;
    };
    const Case cases[] = {
        {{"-j2", "--summary", names.at(0), names.at(0), names.at(1)},
         "--summary play00.txt is a file this run reads"},
        {{"--summary", names.at(0), "."}, "--summary play00.txt is a file this run reads"},
        {{names.at(1), tableLike}, "play01.txt-scene.csv, an output of play01.txt, is a file"},
    };
    for (const Case &refused : cases) {
        SCOPED_TRACE(refused.message);
        const Finished result = run(refused.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.contains(refused.message)) << result.err.constData();
        EXPECT_EQ(readBytes(scratch.file(names.at(0))), original);
        EXPECT_FALSE(QFile::exists(scratch.file(names.at(1) + QStringLiteral("-markup.html"))));
    }

    // A table of an earlier run is replaced, never read as a screenplay.
    QFile::remove(scratch.file(tableLike));
    const QStringList again{QStringLiteral("--summary"), QStringLiteral("corpus.csv"),
                            QStringLiteral(".")};
    ASSERT_EQ(run(again).exitCode, 0);
    const Finished second = run(again);
    EXPECT_EQ(second.exitCode, 0) << second.err.constData();
    EXPECT_EQ(readBytes(scratch.file(QStringLiteral("corpus.csv"))).count('\n'), 3);
}

TEST_F(BatchRunTest, StandardOutputThatCannotBeWritten_IsReportedWithExitOne)
{
    screenplays(1);
    const QString tool = QStringLiteral(QUILLMARK_CLI);
    for (const QString &redirect : {QStringLiteral(">/dev/full"), QStringLiteral(">&-")}) {
        SCOPED_TRACE(redirect.toStdString());
        const QString command = QStringLiteral("exec \"$0\" --json play00.txt ") + redirect;
        const Finished result =
            RunningCli(scratch.path(), {QStringLiteral("-c"), command, tool}, "/bin/sh").finish();
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains("cannot write standard output")) << result.err.constData();
    }
}

TEST_F(BatchRunTest, LostWorker_CostsOnlyItsFile_AtEveryJobCount)
{
    const QStringList names = screenplays(12);
    struct Case
    {
        int signal;
        const char *jobs;
        const char *reported;
    };
    const Case cases[] = {
        {SIGKILL, "-j1", "the analysis process was ended by signal 9"},
        // A worker that no longer answers is stopped at the time limit.
        {SIGSTOP, "-j2", "it took longer than the time limit of 3 s"},
    };
    for (const Case &lost : cases) {
        SCOPED_TRACE(lost.reported);
        qint64 worker = 0;
        const QStringList options{QString::fromLatin1(lost.jobs), "--time-limit", "3", "--summary",
                                  "corpus.csv"};
        const Finished result = signalled(options + names, lost.signal, true, &worker);
        ASSERT_GT(worker, 0);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err.count("cannot analyse"), 1) << result.err.constData();
        EXPECT_TRUE(result.err.contains(lost.reported)) << result.err.constData();
        EXPECT_TRUE(result.err.contains("[12/12] play11.txt"));
        const QByteArray table = readBytes(scratch.file(QStringLiteral("corpus.csv")));
        EXPECT_EQ(table.count('\n'), 13);
        EXPECT_EQ(table.count(",yes,"), 1) << table.constData();
        EXPECT_FALSE(isRunning(worker));
        EXPECT_EQ(temporaryFiles(), QStringList());
    }
}

TEST_F(BatchRunTest, StopSignal_EndsTheWorkersAndLeavesNoTemporaryFile)
{
    const QStringList names = screenplays(12);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        qint64 worker = 0;
        const QStringList options{"-j2", "--summary", "corpus.csv"};
        const Finished result = signalled(options + names, signal, false, &worker);
        ASSERT_GT(worker, 0);
        EXPECT_EQ(result.exitCode, 128 + signal) << result.err.constData();
        EXPECT_TRUE(result.err.contains("stopped by signal")) << result.err.constData();
        EXPECT_FALSE(isRunning(worker));
        EXPECT_EQ(temporaryFiles(), QStringList());
        EXPECT_FALSE(QFile::exists(scratch.file(QStringLiteral("corpus.csv"))));
    }
}

TEST_F(BatchRunTest, TemporaryFilesOfKilledRuns_AreSweptByTheNextRunThatWritesThere)
{
    screenplays(1);
    // The names an atomic write gives its temporary files, from a process that is gone (no
    // process number is that large), from an earlier version, from this running test, and
    // from a file that is not an output of the tool.
    const QString gone =
        scratch.write(QStringLiteral(".play00.txt-markup.html.999999999-ab.tmp"), "");
    const QString earlier = scratch.write(QStringLiteral(".play00.txt-scene.csv.k3j2.tmp"), "");
    const QString running =
        scratch.write(QStringLiteral(".play00.txt.png.%1-cd.tmp").arg(::getpid()), "");
    const QString foreign = scratch.write(QStringLiteral(".notes.txt.12-ef.tmp"), "");
    for (const QString &path : {gone, earlier, running, foreign}) {
        const timeval anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimes(QFile::encodeName(path).constData(), anHourAgo), 0);
    }
    ASSERT_EQ(run({QStringLiteral("play00.txt")}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(gone));
    EXPECT_FALSE(QFile::exists(earlier));
    EXPECT_TRUE(QFile::exists(running));
    EXPECT_TRUE(QFile::exists(foreign));
}

TEST_F(BatchRunTest, UndecodableFolderName_IsReportedNotSkipped)
{
    screenplays(1);
    const QByteArray folder = QFile::encodeName(scratch.path()) + "/caf\xE9";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    QFile hidden;
    ASSERT_TRUE(hidden.open(std::fopen((folder + "/play.txt").constData(), "w"),
                            QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    hidden.write(readBytes(corpusFile(QStringLiteral("cyber_bob_ep1.txt"))));
    hidden.close();

    const Finished result =
        run({QStringLiteral("--summary"), QStringLiteral("corpus.csv"), QStringLiteral(".")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("cannot read ./caf\\xE9/play.txt: its name is not valid"))
        << result.err.constData();
    EXPECT_TRUE(QFile::exists(scratch.file(QStringLiteral("play00.txt-scene.csv"))));
    EXPECT_EQ(readBytes(scratch.file(QStringLiteral("corpus.csv"))).count(",yes,"), 1);
}

TEST_F(BatchRunTest, SettingsWarning_IsPrintedOncePerRun_AtEveryJobCount)
{
    const QStringList names = screenplays(4);
    QFile characters(scratch.file(QStringLiteral("characters.txt")));
    ASSERT_TRUE(characters.open(QIODevice::WriteOnly));
    ASSERT_TRUE(characters.resize(qint64(300) * 1024 * 1024)); // sparse: too large to read
    characters.close();
    for (const char *jobs : {"-j1", "-j3"}) {
        SCOPED_TRACE(jobs);
        const Finished result = run(QStringList{QString::fromLatin1(jobs)} + names);
        EXPECT_EQ(result.err.count("characters.txt"), 1) << result.err.constData();
    }
}

} // namespace
