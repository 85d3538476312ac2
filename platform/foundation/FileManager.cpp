#include "platform/foundation/FileManager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace foundation {
namespace fs = std::filesystem;
namespace {

void report(Error* error, long code, const std::string& what, const std::string& path,
            const std::string& reason = "") {
    if (!error)
        return;
    std::string text = "The operation " + what + " on \"" + path + "\" couldn't be completed.";
    if (!reason.empty())
        text += " (" + reason + ")";
    *error = Error{FileManager::kErrorDomain, code, text};
}

long codeFor(const std::error_code& ec, bool reading) {
    if (ec == std::errc::no_such_file_or_directory)
        return reading ? FileManager::kReadNoSuchFileError : FileManager::kNoSuchFileError;
    if (ec == std::errc::file_exists)
        return FileManager::kWriteFileExistsError;
    return reading ? FileManager::kReadUnknownError : FileManager::kWriteUnknownError;
}

std::string temporarySibling(const std::string& path) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const fs::path target(path);
    return (target.parent_path() /
            ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000000)))
        .string();
}

}  // namespace

FileManager& FileManager::defaultManager() {
    static FileManager* const manager = new FileManager();
    return *manager;
}

bool FileManager::fileExists(const std::string& path, bool* isDirectory) const {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    const bool exists = !ec && fs::exists(status);
    if (isDirectory)
        *isDirectory = exists && fs::is_directory(status);
    return exists;
}

bool FileManager::createDirectory(const std::string& path, bool withIntermediateDirectories,
                                  Error* error) {
    std::error_code ec;
    if (withIntermediateDirectories) {
        fs::create_directories(path, ec);
        if (!ec && fs::is_directory(path, ec))
            return true;
        if (!ec)
            ec = std::make_error_code(std::errc::file_exists);
    } else if (fs::create_directory(path, ec)) {
        return true;
    } else if (!ec) {
        ec = std::make_error_code(std::errc::file_exists);
    }
    report(error, codeFor(ec, false), "create directory", path, ec.message());
    return false;
}

bool FileManager::removeItem(const std::string& path, Error* error) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) {
        report(error, kNoSuchFileError, "remove", path, "no such file");
        return false;
    }
    fs::remove_all(path, ec);
    if (ec) {
        report(error, codeFor(ec, false), "remove", path, ec.message());
        return false;
    }
    return true;
}

bool FileManager::copyItem(const std::string& from, const std::string& to, Error* error) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        report(error, kWriteFileExistsError, "copy", to, "file exists");
        return false;
    }
    fs::copy(from, to, fs::copy_options::recursive, ec);
    if (ec) {
        report(error, codeFor(ec, true), "copy", from, ec.message());
        return false;
    }
    return true;
}

bool FileManager::moveItem(const std::string& from, const std::string& to, Error* error) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        report(error, kWriteFileExistsError, "move", to, "file exists");
        return false;
    }
    fs::rename(from, to, ec);
    if (ec) {
        report(error, codeFor(ec, true), "move", from, ec.message());
        return false;
    }
    return true;
}

std::optional<std::vector<std::string>> FileManager::contentsOfDirectory(const std::string& path,
                                                                         Error* error) const {
    std::error_code ec;
    fs::directory_iterator it(path, ec);
    if (ec) {
        report(error, codeFor(ec, true), "list", path, ec.message());
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> FileManager::enumerate(const std::string& path, bool skipHidden) const {
    std::vector<std::string> result;
    std::error_code ec;
    fs::recursive_directory_iterator it(path, ec);
    if (ec)
        return result;
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        if (skipHidden && it->path().filename().string().starts_with(".")) {
            if (it->is_directory(ec))
                it.disable_recursion_pending();
            continue;
        }
        result.push_back(fs::relative(it->path(), path, ec).string());
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::optional<FileAttributes> FileManager::attributesOfItem(const std::string& path,
                                                            Error* error) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const std::error_code ec(errno, std::generic_category());
        report(error, codeFor(ec, true), "read attributes", path, ec.message());
        return std::nullopt;
    }
    FileAttributes attributes;
    attributes.isDirectory = S_ISDIR(info.st_mode);
    attributes.size = static_cast<std::uint64_t>(info.st_size);
    attributes.modificationDate = Date::fromTimeIntervalSince1970(
        static_cast<double>(info.st_mtim.tv_sec) + static_cast<double>(info.st_mtim.tv_nsec) / 1e9);
    return attributes;
}

bool FileManager::setModificationDate(const std::string& path, Date date, Error* error) {
    const double since1970 = date.timeIntervalSince1970();
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(std::floor(since1970));
    times[1].tv_nsec = static_cast<long>((since1970 - std::floor(since1970)) * 1e9);
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        const std::error_code ec(errno, std::generic_category());
        report(error, codeFor(ec, false), "set modification date", path, ec.message());
        return false;
    }
    return true;
}

bool FileManager::setExcludedFromBackup(const std::string& path, bool excluded, Error* error) {
    const int result = excluded ? ::setxattr(path.c_str(), kExcludedFromBackupAttribute, "1", 1, 0)
                                : ::removexattr(path.c_str(), kExcludedFromBackupAttribute);
    if (result != 0 && !(errno == ENODATA && !excluded)) {
        const std::error_code ec(errno, std::generic_category());
        report(error, codeFor(ec, false), "set excluded from backup", path, ec.message());
        return false;
    }
    return true;
}

bool FileManager::isExcludedFromBackup(const std::string& path) const {
    return ::getxattr(path.c_str(), kExcludedFromBackupAttribute, nullptr, 0) >= 0;
}

std::optional<Data> FileManager::contentsAtPath(const std::string& path, Error* error) const {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        report(error, kReadUnknownError, "read", path, "is a directory");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        report(error, fileExists(path) ? kReadUnknownError : kReadNoSuchFileError, "read", path);
        return std::nullopt;
    }
    Data data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        report(error, kReadUnknownError, "read", path);
        return std::nullopt;
    }
    return data;
}

bool FileManager::writeAtomically(const std::string& path, const Data& data, Error* error) {
    const std::string temporary = temporarySibling(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        const std::error_code ec(errno, std::generic_category());
        report(error, codeFor(ec, false), "write", path, ec.message());
        return false;
    }
    std::size_t written = 0;
    bool ok = true;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    const int savedErrno = errno;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    const std::error_code ec(savedErrno ? savedErrno : errno, std::generic_category());
    ::unlink(temporary.c_str());
    report(error, kWriteUnknownError, "write", path, ec.message());
    return false;
}

}  // namespace foundation
