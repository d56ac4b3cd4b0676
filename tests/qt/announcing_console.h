#pragma once

#include <QProcess>
#include <QString>

// Another console for the single-instance tests: this test program started again in a mode that
// runs the start-up checks of a console and then holds its locks until it is stopped.
namespace kestova_test {

inline constexpr const char* kAnnounceOption = "--announce-title";

// The helper's side: checks for a previous instance, asks about the title, prints how many
// windows it found, and waits until its input closes. Returns the process's exit code.
int runAnnouncingConsole(const char* title);

// The test's side.
class AnnouncingConsole {
public:
    explicit AnnouncingConsole(const QString& title);
    ~AnnouncingConsole();
    AnnouncingConsole(const AnnouncingConsole&) = delete;
    AnnouncingConsole& operator=(const AnnouncingConsole&) = delete;

    // True once the helper made its checks and holds its locks.
    bool ready() const { return windowsFound_ >= 0; }
    // What the helper's own title check counted.
    int windowsFound() const { return windowsFound_; }
    // Ends the helper the hard way, leaving its lock files behind.
    void crash();

private:
    QProcess process_;
    int windowsFound_ = -1;
};

}  // namespace kestova_test
