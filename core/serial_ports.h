#pragma once

#include <string>
#include <string_view>

// The serial ports as the program names them ("COM1" to "COM9") and the devices that carry them.
// The options dialog's printer test and the receipt printer both go through here, so one edit of
// kestova.ini moves both: section [Ports], e.g. COM1=/dev/ttyUSB0.
namespace kestova {

// The number of a port name: its last character when that is a digit, otherwise 1. Only one
// character counts: "COM3" is 3, "COM" and "COMX" are 1, "COM12" is 2 and "COM10" is 0, which
// no line has.
int PortNumberOf(std::string_view portName);

// The device of port n (1 to 9): [Ports] "COMn" in kestova.ini, by default /dev/ttyS<n-1>.
// Empty for a number no port has.
std::string SerialDeviceOf(int portNumber);

}  // namespace kestova
