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

    // Adds the queue afresh, enabled, accepting, with no default options and as the default, with
    // the user's own options gone and the proxy forwarding everything, and forgets every job
    // delivered so far.
    void reset() const;

    // Makes the proxy in front of the server go silent at the IPP operation named (for instance
    // "Send-Document", or "*" for every one); empty forwards everything again.
    void silenceAt(const QString& operation) const;

    // Runs one of the print system's commands against the server; false if it failed.
    static bool command(const QString& program, const QStringList& arguments);

    // The files the queue's device received, oldest first.
    QStringList deliveredJobs() const;

    // The copies and options a delivered job came with, as the queue's device was given them.
    static QString optionsOf(const QString& deliveredJob);

    // How many jobs the server holds in any state, -1 when it cannot be asked.
    static int jobsOnServer();

    // How many jobs are still waiting or printing, -1 when the server cannot be asked.
    static int activeJobs();

    // Ends the server, as if the print system were not running.
    void stopServer() const;

    // Freezes the server in the middle of whatever it does (it still takes connections) or lets
    // it carry on.
    void freezeServer(bool frozen) const;

private:
    QString name_;
    QString device_;
    QString jobs_;
    QString fault_;
    qint64 serverPid_ = 0;
};

// This process's share of a test that CTest runs as several shards side by side, because most rows
// of one of its tables only wait out the print server's patience. VELMORA_TEST_SHARD=<k>/<n>
// gives shard k of n every n-th row of that table, counted from row k, and every other test
// function to shard 0 alone; unset, one process runs everything.
//   with "1/3": rows 1, 4, 7 ... of the split table, nothing else
class TestShard {
public:
    TestShard();

    // Whether the test function or row about to run is this shard's; asked once from init() for
    // each, in the order they run.
    bool takes(bool splitTable);

private:
    int index_ = 0;
    int count_ = 1;
    int rows_ = 0; // rows of the split table met so far
};

} // namespace velmora
