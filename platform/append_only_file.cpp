#include "platform/append_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/posix_file.h"

namespace platform {

AppendOnlyFile::AppendOnlyFile(std::filesystem::path path) : path_(std::move(path)) {}

std::optional<std::string> AppendOnlyFile::read() const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    }
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::close(fd);
            return n == 0 ? std::optional<std::string>(std::move(content)) : std::nullopt;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

bool AppendOnlyFile::append(std::string_view bytes) {
    std::error_code error;
    const std::filesystem::path directory = path_.parent_path();
    if (!directory.empty() && !std::filesystem::exists(directory, error)) {
        std::filesystem::create_directories(directory, error);
        ::chmod(directory.c_str(), 0700);
    }
    const bool created = !std::filesystem::exists(path_, error);
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool written = posix_file::WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (created && !directory.empty()) {
        posix_file::SyncDirectory(directory);
    }
    return written && closed;
}

}  // namespace platform
