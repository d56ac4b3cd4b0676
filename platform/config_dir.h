#pragma once

#include <filesystem>

// Where the program keeps its files on this desktop.
namespace platform {

// The folder of the settings files: $KESTOVA_CONFIG_DIR when it is set and not empty, else
// $XDG_CONFIG_HOME/kestova, else ~/.config/kestova. It is not created here; the file store
// creates it when it first writes.
std::filesystem::path ConfigDirectory();

// The folder of the program's data (the audit log): $KESTOVA_CONFIG_DIR when it is set and not
// empty, beside the settings, else $XDG_DATA_HOME/kestova, else ~/.local/share/kestova.
std::filesystem::path DataDirectory();

// The folder of the desktop's autostart entries: $XDG_CONFIG_HOME/autostart, else
// ~/.config/autostart; $KESTOVA_CONFIG_DIR/autostart when that is set.
std::filesystem::path AutostartDirectory();

}  // namespace platform
