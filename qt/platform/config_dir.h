#pragma once

#include <QString>

namespace qtplatform {

// The folder of the program's settings files: $KESTOVA_CONFIG_DIR when set (tests and demos use
// it to keep away from the user's own files), else the user's configuration folder + "/kestova".
QString configDir();

}  // namespace qtplatform
