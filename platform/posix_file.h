#pragma once

#include <filesystem>
#include <string_view>

// Durable writes on POSIX files, shared by the file stores.
namespace platform::posix_file {

// Writes every byte to the open file, going on after interrupted writes; false on an error.
bool WriteAll(int fd, std::string_view bytes);

// Makes a new or renamed entry of the folder durable: without it a crash could lose the file.
void SyncDirectory(const std::filesystem::path& directory);

}  // namespace platform::posix_file
