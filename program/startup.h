#pragma once

#include <string>
#include <string_view>

// The program's entry routine and its end.
namespace kestova {

// "Zarnevo Kestova": the program's application title. A window of the suite carrying it means
// the suite's server program runs on this machine.
inline constexpr std::string_view kApplicationTitle = "Zarnevo Kestova";

// Refuses a second copy, makes the start-with-the-system entry follow "LoadStart", shows the
// splash for three seconds, enters the viewer state and shows the main window. Returns false
// when the program must end at once (a copy is already running).
bool StartUp();

// The logged-out state: client commands disabled or hidden, rights "VIEWER", "User: AutoStart
// User" on the status bar. Loads the main window on its first run.
void EnterViewerState();

// True when two or more top-level windows (the program's own among them) carry the title,
// compared without regard to case.
bool WindowTitleInUse(std::string_view title);

// The program's own folder and the file name, joined by exactly one path separator.
std::string ProgramFilePath(std::string_view fileName);

// Asks "Terminate Zarnevo Kestova?"; true when the operator answers Yes.
bool ConfirmTermination();
// Ends the program at once, after a last second for the goodbye on the status bar.
void EndProgram();

}  // namespace kestova
