#include "app/commandLine.hpp"

#include <stdexcept>

std::string usageText() {
    return "Usage: kestrova [--world NAME] [--seed N] [--generate-only]\n"
           "       kestrova --help | --version\n"
           "\n"
           "Builds a world from a seed (its terrain pictures and its pathing graph) and opens the game\n"
           "window, which needs a display. Run it from the folder that holds config.xml, assets/ and\n"
           "worlds/.\n"
           "\n"
           "  --world NAME      answer the first world-name prompt with NAME\n"
           "  --seed N          answer the first seed prompt with N (a whole number)\n"
           "  --generate-only   build the world, its pictures and its pathing graph, then exit without\n"
           "                    a window (no display needed)\n"
           "  --help            show this text and exit\n"
           "  --version         show the version and exit\n";
}

startupOptions parseCommandLine(const std::vector<std::string>& arguments) {
    startupOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&](const std::string& option) -> std::string {
            const std::string prefix = option + "=";
            if (argument.compare(0, prefix.size(), prefix) == 0) {
                return argument.substr(prefix.size());
            }
            if (i + 1 >= arguments.size()) {
                throw std::invalid_argument(option + " needs a value");
            }
            return arguments[++i];
        };
        const auto is = [&](const std::string& option) {
            return argument == option || argument.compare(0, option.size() + 1, option + "=") == 0;
        };
        if (is("--world")) {
            options.worldName = value("--world");
        } else if (is("--seed")) {
            options.seed = value("--seed");
        } else if (argument == "--generate-only") {
            options.generateOnly = true;
        } else if (argument == "--help" || argument == "-h") {
            options.showHelp = true;
        } else if (argument == "--version") {
            options.showVersion = true;
        } else {
            throw std::invalid_argument("unknown option '" + argument + "'");
        }
    }
    return options;
}
