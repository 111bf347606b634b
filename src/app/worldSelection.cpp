#include "app/worldSelection.hpp"

#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"

#include <boost/lexical_cast.hpp>
#include <istream>
#include <ostream>

std::string loadDirectory;
const std::string worldDirectory = "worlds";
std::string worldName;
bool relaunchWithNewSeed = false;
bool startAfresh = false;

std::string worldNameProblem(const std::string& name) {
    if (name.size() > MAX_WORLD_NAME_BYTES) {
        return "A world name can be at most " + std::to_string(MAX_WORLD_NAME_BYTES) +
               " bytes long; this one has " + std::to_string(name.size()) +
               " (a letter outside plain ASCII takes 2 to 4).";
    }
    if (name == "." || name == "..") {
        return "A world name cannot be \".\" or \"..\".";
    }
    if (name.find_first_of("/\\") != std::string::npos) {
        return "A world name cannot contain \"/\" or \"\\\": it names one folder inside " + worldDirectory +
               ".";
    }
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7f) {
            return "A world name cannot contain control characters.";
        }
    }
    return {};
}

bool isBlankWorldName(const std::string& name) {
    return name.find_first_not_of(' ') == std::string::npos;
}

std::optional<std::string> readLine(std::istream& in) {
    std::string line;
    if (!std::getline(in, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

namespace {
std::string answer(std::istream& in, std::ostream& out, const char* prompt,
                   std::optional<std::string>& preset) {
    out << prompt;
    if (preset) {
        std::string given = *preset;
        preset.reset();
        out << given << "\n";
        return given;
    }
    out.flush();
    std::optional<std::string> line = readLine(in);
    if (!line) {
        // Nobody is left to answer: a world built from a clock seed would only be a surprise.
        out << "\nEnd of input: stopping without building a world." << std::endl;
        throw exitRequest(0, "");
    }
    return *line;
}
} // namespace

std::string askWorldName(std::istream& in, std::ostream& out, std::optional<std::string>& preset) {
    while (true) {
        std::string name =
            answer(in, out, "Please enter the world name (leave blank for name based on seed): ", preset);
        if (isBlankWorldName(name)) {
            return {};
        }
        const std::string problem = worldNameProblem(name);
        if (problem.empty()) {
            return name;
        }
        out << problem << " Please choose another name.\n";
    }
}

int askSeed(std::istream& in, std::ostream& out, std::optional<std::string>& preset) {
    while (true) {
        const std::string line = answer(in, out, "Enter the world seed (leave blank for random): ", preset);
        if (line.empty()) {
            return seed();
        }
        try {
            const int value = parseSeed(line);
            seed(static_cast<unsigned int>(value));
            return value;
        } catch (const boost::bad_lexical_cast& error) {
            out << "Error: " << error.what() << "\n"
                << "Seed must be an integer, try again."
                << "\n";
        }
    }
}
