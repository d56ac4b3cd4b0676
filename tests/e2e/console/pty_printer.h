#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace kestova::e2e {

// A receipt printer on a pseudo-terminal pair made by socat: the console writes to printer(),
// and what arrives at the other end is read here, at any pace.
class PtyPrinter {
public:
    PtyPrinter();
    ~PtyPrinter();
    PtyPrinter(const PtyPrinter&) = delete;
    PtyPrinter& operator=(const PtyPrinter&) = delete;

    // True once both ends exist and the reading end is open.
    bool ready() const { return readFd_ >= 0; }
    // The path the console's [Ports] names; unique, because the serial port's lock file is
    // named after it.
    QString printer() const { return dir_.filePath(name_); }
    // Takes up to maxBytes that have arrived (everything with the default) and returns all
    // received so far.
    const std::string& read(std::size_t maxBytes = std::string::npos);
    // What socat said, for failure messages.
    QString log();

private:
    QTemporaryDir dir_;
    QString name_;
    QProcess socat_;
    int readFd_ = -1;
    std::string received_;
};

}  // namespace kestova::e2e
