#pragma once

#include <boost/filesystem.hpp>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

/// A fresh directory under the system's temporary directory, removed with everything in it at scope end.
class temporaryDirectory {
  public:
    temporaryDirectory()
        : root(boost::filesystem::temp_directory_path() /
               boost::filesystem::unique_path("kestrova-%%%%-%%%%")) {
        boost::filesystem::create_directories(root);
    }
    ~temporaryDirectory() {
        boost::system::error_code ignored;
        boost::filesystem::remove_all(root, ignored);
    }
    temporaryDirectory(const temporaryDirectory&) = delete;
    temporaryDirectory& operator=(const temporaryDirectory&) = delete;

    std::string path() const { return root.string(); }
    std::string file(const std::string& name) const { return (root / name).string(); }

  private:
    boost::filesystem::path root;
};

inline void writeTextFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

/// How often `piece` occurs in `text`, overlaps included.
inline std::size_t countOf(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
        ++count;
    }
    return count;
}

/// `text` written `count` times over.
inline std::string repeated(const std::string& text, int count) {
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += text;
    }
    return all;
}

/// The rows of a table written as text, one row a line, its cells split at '|' and trimmed; blank lines
/// skipped.
inline std::vector<std::vector<std::string>> tableRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream cells(line + "|");
        for (std::string cell; std::getline(cells, cell, '|');) {
            const std::size_t first = cell.find_first_not_of(' '), last = cell.find_last_not_of(' ');
            row.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
        }
    }
    return rows;
}
