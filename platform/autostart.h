#pragma once

#include <string>

namespace platform {

// The desktop's start-with-the-system entry for a program.
class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool add(const std::string& entryName, const std::string& executablePath) = 0;
    virtual bool remove(const std::string& entryName) = 0;
    virtual bool exists(const std::string& entryName) const = 0;
};

}  // namespace platform
