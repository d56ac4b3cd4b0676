#include "platform/directory_file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/posix_file.h"

namespace platform {
namespace {

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
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
    const bool written = posix_file::WriteAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.data(), target.c_str()) != 0) {
        ::unlink(temporary.data());
        return false;
    }
    posix_file::SyncDirectory(directory_);
    return true;
}

}  // namespace platform
