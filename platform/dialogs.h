#pragma once

#include <string>

namespace platform {

// Modal message boxes and input boxes. Flags and results use the classic numbering so that the
// windows read like their designs: buttons | icon | default button.
namespace msgbox {
inline constexpr int OKOnly = 0;
inline constexpr int OKCancel = 1;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;

inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace msgbox

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a message box and returns the button chosen (msgbox::OK, Yes, No ...).
    virtual int MsgBox(const std::string& prompt, int flags, const std::string& title) = 0;
    // Asks for a line of text; an empty text when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Asks where to save a file, offering the file name given (in the user's documents folder)
    // and showing files of the filter ("CSV files (*.csv)"). The path chosen; empty when cancelled.
    virtual std::string SaveFileName(const std::string& title, const std::string& fileName,
                                     const std::string& filter) = 0;
};

}  // namespace platform
