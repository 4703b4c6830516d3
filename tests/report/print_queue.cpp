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
    , fault_(qEnvironmentVariable("VELMORA_TEST_FAULT"))
    , serverPid_(qEnvironmentVariable("VELMORA_PRINT_SERVER_PID").toLongLong()) {}

bool TestPrintQueue::command(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

void TestPrintQueue::reset() const {
    silenceAt({});
    QFile::remove(QDir::home().filePath(QStringLiteral(".cups/lpoptions")));
    command(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name_});
    command(QStringLiteral("lpadmin"),
            {QStringLiteral("-p"), name_, QStringLiteral("-E"), QStringLiteral("-v"), device_});
    command(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name_});
    command(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x")});
    for (const QString& job : deliveredJobs())
        QFile::remove(job);
}

void TestPrintQueue::silenceAt(const QString& operation) const {
    QFile file(fault_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(operation.toUtf8());
}

QString TestPrintQueue::optionsOf(const QString& deliveredJob) {
    QFile file(QFileInfo(deliveredJob)
                   .dir()
                   .filePath(QFileInfo(deliveredJob).baseName() + QStringLiteral(".options")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
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

namespace {
int jobsOnServer(int which) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, which);
    cupsFreeJobs(count, jobs);
    return count;
}
} // namespace

int TestPrintQueue::jobsOnServer() {
    return velmora::jobsOnServer(CUPS_WHICHJOBS_ALL);
}

int TestPrintQueue::activeJobs() {
    return velmora::jobsOnServer(CUPS_WHICHJOBS_ACTIVE);
}

void TestPrintQueue::freezeServer(bool frozen) const {
    if (serverPid_ > 0)
        ::kill(static_cast<pid_t>(serverPid_), frozen ? SIGSTOP : SIGCONT);
}

void TestPrintQueue::stopServer() const {
    if (serverPid_ <= 0)
        return;
    ::kill(static_cast<pid_t>(serverPid_), SIGTERM);
    const QString socket = qEnvironmentVariable("CUPS_SERVER");
    for (int i = 0; i < 200 && QFileInfo::exists(socket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
}

TestShard::TestShard() {
    const QStringList shard = qEnvironmentVariable("VELMORA_TEST_SHARD").split(QLatin1Char('/'));
    if (shard.size() == 2 && shard[1].toInt() > 0) {
        index_ = shard[0].toInt();
        count_ = shard[1].toInt();
    }
}

bool TestShard::takes(bool splitTable) {
    if (!splitTable)
        return index_ == 0;
    return rows_++ % count_ == index_;
}

} // namespace velmora
