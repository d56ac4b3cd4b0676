#pragma once

#include <string>

namespace platform {

// Opens a file or a web address with the desktop's default program.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const std::string& fileOrUrl) = 0;
};

}  // namespace platform
