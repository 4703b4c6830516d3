#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

// The private print server a test runs beside (see print_server.sh), from the test's side.
class TestPrintQueue {
public:
    TestPrintQueue();

    bool available() const { return !name_.isEmpty(); }
    const QString& name() const { return name_; }

    // Adds the queue again if it is gone, enabled, accepting and the default, and forgets every
    // job delivered so far.
    void reset() const;

    // Runs one of the print system's commands against the server; false if it failed.
    static bool command(const QString& program, const QStringList& arguments);

    // The files the queue's device received, oldest first.
    QStringList deliveredJobs() const;

    // How many jobs the server holds in any state, -1 when it cannot be asked.
    static int jobsOnServer();

    // Ends the server, as if the print system were not running.
    void stopServer() const;

private:
    QString name_;
    QString device_;
    QString jobs_;
    qint64 serverPid_ = 0;
};

} // namespace velmora
