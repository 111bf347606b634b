#include "app/atomicFile.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace {
// A temporary file is named after its target: "<target>.", six random hex digits, ".tmp".
constexpr const char* TEMPORARY_PATTERN = ".%%%%%%.tmp";
constexpr std::size_t RANDOM_DIGITS = 6;
constexpr std::size_t TEMPORARY_SUFFIX = std::char_traits<char>::length(TEMPORARY_PATTERN);

std::string lastSystemError() {
    return errno != 0 ? std::error_code(errno, std::generic_category()).message() : "unknown error";
}

/// A file descriptor, closed at scope end.
class openFile {
  public:
    openFile(const std::string& path, int flags) : descriptor(::open(path.c_str(), flags | O_CLOEXEC)) {}
    ~openFile() {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
    openFile(const openFile&) = delete;
    openFile& operator=(const openFile&) = delete;
    int get() const { return descriptor; }

  private:
    int descriptor;
};

/// Waits until the file or folder at `path` is on disk.
void flushToDisk(const std::string& path, int flags) {
    errno = 0;
    const openFile file(path, flags);
    if (file.get() < 0 || ::fsync(file.get()) != 0) {
        throw std::runtime_error(lastSystemError());
    }
}
} // namespace

void writeFileAtomically(const std::string& path, std::ios::openmode mode,
                         const std::function<void(std::ostream&)>& writer, fileDurability durability) {
    namespace fs = boost::filesystem;
    const fs::path target(path);
    const fs::path temporary =
        target.parent_path() / fs::unique_path(target.filename().string() + TEMPORARY_PATTERN);
    try {
        errno = 0;
        std::ofstream file(temporary.string(), mode | std::ios::out | std::ios::trunc);
        if (!file) {
            throw std::runtime_error(lastSystemError());
        }
        writer(file);
        file.flush();
        if (!file) {
            throw std::runtime_error(lastSystemError());
        }
        file.close();
        if (file.fail()) {
            throw std::runtime_error(lastSystemError());
        }
        // The data must be on disk before the new name points at it, and the name before the caller goes on.
        const bool synced = durability == fileDurability::synced;
        if (synced) {
            flushToDisk(temporary.string(), O_RDONLY);
        }
        boost::system::error_code renameError;
        fs::rename(temporary, target, renameError);
        if (renameError) {
            throw std::runtime_error(renameError.message());
        }
        if (synced) {
            flushToDisk(target.has_parent_path() ? target.parent_path().string() : ".",
                        O_RDONLY | O_DIRECTORY);
        }
    } catch (const std::exception& error) {
        boost::system::error_code ignored;
        fs::remove(temporary, ignored);
        throw std::runtime_error("Could not write " + path + ": " + error.what());
    }
}

void syncFileSystem(const std::string& path) {
    errno = 0;
    const openFile file(path, O_RDONLY);
    if (file.get() < 0 || ::syncfs(file.get()) != 0) {
        throw std::runtime_error("Could not flush " + path + " to disk: " + lastSystemError());
    }
}

std::optional<std::string> temporaryFileTarget(const std::string& fileName) {
    if (fileName.size() <= TEMPORARY_SUFFIX || fileName.compare(fileName.size() - 4, 4, ".tmp") != 0) {
        return std::nullopt;
    }
    const std::size_t dot = fileName.size() - TEMPORARY_SUFFIX;
    const std::string digits = fileName.substr(dot + 1, RANDOM_DIGITS);
    const bool hexDigits = std::all_of(digits.begin(), digits.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    if (fileName[dot] != '.' || !hexDigits) {
        return std::nullopt;
    }
    return fileName.substr(0, dot);
}
