#pragma once

namespace qtplatform {

// With KESTOVA_SCREENSHOT=<file.png> set, saves a picture of the main window (before it shows, of
// the active one) to that file a moment after start and ends the program (for demos and the look
// of windows without a display).
void scheduleScreenshotFromEnvironment();

}  // namespace qtplatform
