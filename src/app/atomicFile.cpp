#include "app/atomicFile.hpp"

#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace {
std::string lastSystemError() {
    return errno != 0 ? std::error_code(errno, std::generic_category()).message() : "unknown error";
}
} // namespace

void writeFileAtomically(const std::string& path, std::ios::openmode mode,
                         const std::function<void(std::ostream&)>& writer) {
    namespace fs = boost::filesystem;
    const fs::path target(path);
    const fs::path temporary =
        target.parent_path() / fs::unique_path(target.filename().string() + ".%%%%%%.tmp");
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
