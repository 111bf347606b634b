#include "app/atomicFile.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace {
// A temporary file is named after its target: "<target>.", six random hex digits, ".tmp".
constexpr const char* TEMPORARY_PATTERN = ".%%%%%%.tmp";
constexpr std::size_t RANDOM_DIGITS = 6;
constexpr std::size_t TEMPORARY_SUFFIX = std::char_traits<char>::length(TEMPORARY_PATTERN);

std::string lastSystemError() {
    return errno != 0 ? std::error_code(errno, std::generic_category()).message() : "unknown error";
}
} // namespace

void writeFileAtomically(const std::string& path, std::ios::openmode mode,
                         const std::function<void(std::ostream&)>& writer) {
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
        boost::system::error_code renameError;
        fs::rename(temporary, target, renameError);
        if (renameError) {
            throw std::runtime_error(renameError.message());
        }
    } catch (const std::exception& error) {
        boost::system::error_code ignored;
        fs::remove(temporary, ignored);
        throw std::runtime_error("Could not write " + path + ": " + error.what());
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
