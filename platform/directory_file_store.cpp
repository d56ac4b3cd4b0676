#include "platform/directory_file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace platform {
namespace {

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable: the folder's entry list reaches the disk too.
void SyncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

DirectoryFileStore::DirectoryFileStore(std::filesystem::path directory)
    : directory_(std::move(directory)) {}

std::optional<std::string> DirectoryFileStore::read(const std::string& fileName) const {
    if (!IsPlainFileName(fileName)) {
        return std::nullopt;
    }
    std::ifstream in(directory_ / fileName, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return content.str();
}

std::optional<FileStamp> DirectoryFileStore::stamp(const std::string& fileName) const {
    struct stat status {};
    if (!IsPlainFileName(fileName) || ::stat((directory_ / fileName).c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileStamp{static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino),
                     static_cast<std::uint64_t>(status.st_mtim.tv_sec) * 1000000000u +
                         static_cast<std::uint64_t>(status.st_mtim.tv_nsec),
                     static_cast<std::uint64_t>(status.st_size)};
}

bool DirectoryFileStore::writeAtomically(const std::string& fileName, const std::string& content) {
    if (!IsPlainFileName(fileName)) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    const std::filesystem::path target = directory_ / fileName;
    std::string pattern = (directory_ / ("." + fileName + ".XXXXXX")).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.data(), target.c_str()) != 0) {
        ::unlink(temporary.data());
        return false;
    }
    SyncDirectory(directory_);
    return true;
}

}  // namespace platform
