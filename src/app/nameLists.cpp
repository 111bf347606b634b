#include "app/nameLists.hpp"

#include "app/exitRequest.hpp"
#include "app/random.hpp"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

std::vector<std::string> factionNameList;
std::vector<std::string> cityNameList;
std::vector<std::string> commanderNameList;

std::vector<std::string> readLinesFromFile(const std::string& path, unsigned int maxLineLength) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error(errno != 0 ? std::error_code(errno, std::generic_category()).message()
                                            : "cannot be opened");
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t chunk = maxLineLength > 1 ? maxLineLength - 1 : 1;

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool lastLine = end == std::string::npos;
        if (lastLine) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            lines.emplace_back();
        }
        for (std::size_t piece = 0; piece < line.size(); piece += chunk) {
            lines.push_back(line.substr(piece, chunk));
        }
        start = end + 1;
    }
    return lines;
}

namespace {
std::vector<std::string> readNameFile(const std::string& path) {
    std::vector<std::string> names;
    try {
        names = readLinesFromFile(path, 128);
    } catch (const std::exception& error) {
        throw exitRequest(1, "Cannot read the name list " + path + " (" + error.what() +
                                 "). Restore it: it holds one name per line.");
    }
    if (names.empty()) {
        throw exitRequest(1,
                          "The name list " + path + " is empty. Put at least one name in it, one per line.");
    }
    return names;
}

const std::string& pick(const std::vector<std::string>& names) {
    return names.at(static_cast<std::size_t>(randomRange(0, static_cast<int>(names.size()) - 1)));
}
} // namespace

void loadNameLists(const std::string& assetDirectory) {
    factionNameList = readNameFile(assetDirectory + "/factionNames.txt");
    cityNameList = readNameFile(assetDirectory + "/cityNames.txt");
    commanderNameList = readNameFile(assetDirectory + "/commanderNames.txt");
}

std::shared_ptr<const std::vector<std::string>> readPersonNames(const std::string& assetDirectory) {
    return std::make_shared<const std::vector<std::string>>(
        readNameFile(assetDirectory + "/personNames.txt"));
}

std::string selectRandomFactionName() {
    return pick(factionNameList);
}

std::string selectRandomCityName() {
    return pick(cityNameList);
}

std::string selectRandomCommanderName() {
    return pick(commanderNameList);
}
