#include "core/serial_ports.h"

#include "core/settings.h"
#include "core/settings_table.h"

namespace kestova {

int PortNumberOf(std::string_view portName) {
    if (portName.empty() || portName.back() < '0' || portName.back() > '9') {
        return 1;
    }
    return portName.back() - '0';
}

std::string SerialDeviceOf(int portNumber) {
    if (portNumber < 1 || portNumber > 9) {
        return {};
    }
    const std::string name = "COM" + std::to_string(portNumber);
    return ReadSetting(settings::kPorts, name, "/dev/ttyS" + std::to_string(portNumber - 1));
}

}  // namespace kestova
