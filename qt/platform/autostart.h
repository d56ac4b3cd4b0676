#pragma once

#include <QString>

#include "platform/autostart.h"

namespace qtplatform {

// The desktop's autostart entries: one XDG .desktop file per entry in $XDG_CONFIG_HOME/autostart
// (or under $KESTOVA_CONFIG_DIR when set, so tests never touch the real desktop session).
class QtAutostart : public platform::Autostart {
public:
    bool add(const std::string& entryName, const std::string& executablePath) override;
    bool remove(const std::string& entryName) override;
    bool exists(const std::string& entryName) const override;

    static QString entryPath(const std::string& entryName);
};

}  // namespace qtplatform
