#include "tests/report/print_queue.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <cups/cups.h>
#include <sys/types.h>
#include <thread>

namespace velmora {

TestPrintQueue::TestPrintQueue()
    : name_(qEnvironmentVariable("VELMORA_TEST_QUEUE"))
    , device_(qEnvironmentVariable("VELMORA_TEST_DEVICE"))
    , jobs_(qEnvironmentVariable("VELMORA_TEST_JOBS"))
    , serverPid_(qEnvironmentVariable("VELMORA_PRINT_SERVER_PID").toLongLong()) {}

bool TestPrintQueue::command(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

void TestPrintQueue::reset() const {
    command(QStringLiteral("lpadmin"),
            {QStringLiteral("-p"), name_, QStringLiteral("-E"), QStringLiteral("-v"), device_});
    command(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name_});
    command(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x")});
    for (const QString& job : deliveredJobs())
        QFile::remove(job);
}

QStringList TestPrintQueue::deliveredJobs() const {
    QFileInfoList files = QDir(jobs_).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.baseName().toInt() < b.baseName().toInt();
    });
    QStringList names;
    for (const QFileInfo& file : files)
        names.append(file.absoluteFilePath());
    return names;
}

int TestPrintQueue::jobsOnServer() {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count;
}

void TestPrintQueue::stopServer() const {
    if (serverPid_ <= 0)
        return;
    ::kill(static_cast<pid_t>(serverPid_), SIGTERM);
    const QString socket = qEnvironmentVariable("CUPS_SERVER");
    for (int i = 0; i < 200 && QFileInfo::exists(socket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
}

} // namespace velmora
