#pragma once

#include "support/testFiles.hpp"

#include <SFML/Graphics/Image.hpp>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

/// Holds a connection to the X display for its lifetime. Xvfb resets when its last client leaves, and a
/// program started during the reset cannot connect; a test that starts the program twice keeps one open.
class displayConnection {
  public:
    displayConnection();
    ~displayConnection();
    displayConnection(const displayConnection&) = delete;
    displayConnection& operator=(const displayConnection&) = delete;
    bool open() const { return connection != nullptr; }

  private:
    void* connection;
};

/// The built program started in `directory` as a user would start it, driven with xdotool and watched
/// with ImageMagick's import. Needs an X display (the tests run under xvfb-run). Stops the program at
/// scope end if it still runs.
class windowSession {
  public:
    windowSession(const temporaryDirectory& directory, const std::string& arguments) : folder(directory) {
        pid = fork();
        if (pid == 0) {
            if (chdir(folder.path().c_str()) != 0) {
                _exit(127);
            }
            const int input = open("/dev/null", O_RDONLY);
            const int output = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int errors = open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(input, 0);
            dup2(output, 1);
            dup2(errors, 2);
            execl("/bin/sh", "sh", "-c", ("exec '" + std::string(KESTROVA_BINARY) + "' " + arguments).c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~windowSession() {
        if (pid > 0 && !exited) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    windowSession(const windowSession&) = delete;
    windowSession& operator=(const windowSession&) = delete;

    /// Waits for the window, moves it to the screen's origin and gives it the keyboard. False on timeout.
    bool waitForWindow(std::chrono::seconds timeout = std::chrono::seconds(120)) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            windowId = commandOutput("xdotool search --name 'Kestrova Game' 2>/dev/null | head -n 1");
            if (!windowId.empty()) {
                run("xdotool windowmove --sync " + windowId + " 0 0");
                run("xdotool mousemove --window " + windowId + " 300 300");
                run("xdotool windowfocus --sync " + windowId);
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    /// Holds `key` (an xdotool key name) long enough for a few frames to poll it, then releases it.
    void hold(const std::string& key, int milliseconds = 250) {
        run("xdotool keydown " + key);
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        run("xdotool keyup " + key);
    }

    /// One pan step: held across a few frames, then released for longer than the pan period.
    void step(const std::string& arrow) {
        hold(arrow, 60);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }

    void key(const std::string& key) { run("xdotool key --window " + windowId + " " + key); }

    /// Captures the window into `name` in the session's folder and loads it.
    sf::Image screenshot(const std::string& name) {
        const std::string path = folder.file(name);
        run("import -window " + windowId + " '" + path + "'");
        if (const char* keep = std::getenv("KESTROVA_KEEP_SCREENSHOTS")) {
            run("cp '" + path + "' '" + keep + "/'");
        }
        sf::Image image;
        if (!image.loadFromFile(path)) {
            throw std::runtime_error("cannot read the screenshot " + path);
        }
        return image;
    }

    std::string output() const { return readTextFile(folder.file("out.txt")); }
    /// Standard output and standard error, for failure messages.
    std::string transcript() const {
        return output() + "\n--- stderr:\n" + readTextFile(folder.file("err.txt"));
    }

    /// Waits until standard output holds `text` `count` times; false on timeout.
    bool waitForOutput(const std::string& text, std::size_t count = 1,
                       std::chrono::seconds timeout = std::chrono::seconds(60)) const {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            if (occurrences(output(), text) >= count) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    /// Waits for the program to end and returns its exit code (−1 if it did not end normally in time).
    int exitCode(std::chrono::seconds timeout = std::chrono::seconds(30)) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        int status = 0;
        while (std::chrono::steady_clock::now() < end) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                exited = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    static std::size_t occurrences(const std::string& text, const std::string& piece) {
        std::size_t count = 0;
        for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
            ++count;
        }
        return count;
    }

  private:
    static void run(const std::string& command) {
        if (std::system(command.c_str()) != 0) {
            throw std::runtime_error("failed: " + command);
        }
    }
    static std::string commandOutput(const std::string& command) {
        std::string text;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[256];
            while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
                text += buffer;
            }
            pclose(pipe);
        }
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        return text;
    }

    const temporaryDirectory& folder;
    pid_t pid = -1;
    bool exited = false;
    std::string windowId;
};
