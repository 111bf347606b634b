#include "app/commandLine.hpp"
#include "app/exitRequest.hpp"
#include "app/gameInit.hpp"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    startupOptions options;
    try {
        options = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "kestrova: " << error.what() << "\n\n" << usageText();
        return 2;
    }
    if (options.showHelp) {
        std::cout << usageText();
        return 0;
    }
    if (options.showVersion) {
        std::cout << "kestrova " << KESTROVA_VERSION << "\n";
        return 0;
    }

    try {
        gameInit(options, std::cin, std::cout);
    } catch (const exitRequest& request) {
        std::cout.flush();
        if (request.what()[0] != '\0') {
            std::cerr << request.what() << std::endl;
        }
        return request.exitCode();
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "kestrova: " << error.what() << std::endl;
        return 1;
    }
    std::cout << "Closing. Press any key to close this window." << std::endl;
    return 0;
}
