#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The machine store: a tree of keys holding named text values, with the semantics of the system
// registry the suite's programs share on their original platform. It lives in the file
// machine.ini of the platform's file store, one section per key written as the key's full path
// ("[HKEY_USERS\.default\Software\Zarnevo]"), a key existing even with no values. Key paths are
// compared without regard to case; root names are recognised exactly. No operation reports a
// failure to its caller: reads give "Error" or an empty text, writes give nothing.
namespace kestova {

inline constexpr std::string_view kMachineStoreFileName = "machine.ini";

using RootKey = std::uint32_t;
inline constexpr RootKey kClassesRoot = 0x80000000;
inline constexpr RootKey kCurrentUser = 0x80000001;
inline constexpr RootKey kLocalMachine = 0x80000002;
inline constexpr RootKey kUsers = 0x80000003;
inline constexpr RootKey kPerformanceData = 0x80000004;
inline constexpr RootKey kCurrentConfig = 0x80000005;
inline constexpr RootKey kDynData = 0x80000006;

// What a read reports when the key cannot be opened or the value cannot be read.
inline constexpr std::string_view kRegistryError = "Error";
// A value longer than this many characters cannot be read (it reads "Error").
inline constexpr std::size_t kRegistryBufferSize = 255;

// The handle of a root name ("HKEY_USERS" is kUsers), 0 for any other text (case-sensitive).
RootKey RootKeyFromName(std::string_view name);
// The name of a root handle, empty for 0 or an unknown handle.
std::string_view RootKeyName(RootKey root);

struct KeyPath {
    RootKey root = 0;
    std::string subKey;  // empty for the root key itself
};

// "HKEY_USERS\.default\Software\Zarnevo" is kUsers and ".default\Software\Zarnevo"; "HKEY_USERS"
// is kUsers and "". A path that does not begin with "HKEY_" or that ends with a backslash is
// refused: root 0 and the path unchanged as the sub-key.
KeyPath SplitKeyPath(std::string_view path);

// The value's text with its leading spaces removed and cut at its first zero character; "Error"
// when the key does not exist or the value is absent or longer than kRegistryBufferSize; an empty
// text when the root name is not recognised.
std::string ReadRegistryString(std::string_view path, std::string_view valueName);
// Creates the key and every missing key above it.
void CreateRegistryKey(std::string_view path);
// Sets the value only when the key already exists; otherwise nothing is written.
void WriteRegistryString(std::string_view path, std::string_view valueName, std::string_view text);
// Creates the key when needed and sets the value.
void SetRegistryValue(RootKey root, std::string_view subKey, std::string_view valueName,
                      std::string_view text);
// Deletes the value; a missing key or value is no error.
void DeleteRegistryValue(RootKey root, std::string_view subKey, std::string_view valueName);

// The text after the last path separator, the whole text when there is none. Both "\" and "/"
// separate, because paths on this platform use "/" while stored paths may use "\".
std::string FileNameOfPath(std::string_view path);

}  // namespace kestova
