#pragma once

#include "platform/shell.h"

namespace qtplatform {

class QtShell : public platform::Shell {
public:
    bool open(const std::string& fileOrUrl) override;
};

}  // namespace qtplatform
