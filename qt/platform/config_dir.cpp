#include "qt/platform/config_dir.h"

#include <QStandardPaths>

namespace qtplatform {

QString configDir() {
    const QString overridden = qEnvironmentVariable("KESTOVA_CONFIG_DIR");
    if (!overridden.isEmpty()) {
        return overridden;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/kestova";
}

}  // namespace qtplatform
