#pragma once

#include <QLockFile>
#include <QString>
#include <map>
#include <memory>

#include "platform/instance_guard.h"

namespace qtplatform {

// A Qt program cannot list the windows of other programs, so consoles tell each other what runs
// through lock files in a per-user folder. A QLockFile is held while its process lives and taken
// over once that process is gone, so a crashed console never blocks the next start (stale time
// 0: never judged by age).
// - One lock per executable, keyed by its canonical path: the same program started twice ends
//   silently, while a copy installed elsewhere reaches the title checks and its message.
// - One lock per window title asked about: a console that asks about a title announces it, so a
//   console started later finds it held. zarnevo-server takes none of these locks, so it runs
//   beside the console without stopping it.
class QtInstanceGuard : public platform::InstanceGuard {
public:
    // The program whose copies are guarded against; empty means this program.
    explicit QtInstanceGuard(QString executablePath = {});

    bool previousInstanceRunning() override;
    // This program's own top-level windows with the title, plus one when another console
    // announces it.
    int windowsTitled(const std::string& title) override;

private:
    // False when another running program announced the title first.
    bool announce(const QString& upperTitle);

    QString executablePath_;
    std::unique_ptr<QLockFile> instanceLock_;
    std::map<QString, std::unique_ptr<QLockFile>> titleLocks_;  // by upper-case title
};

}  // namespace qtplatform
