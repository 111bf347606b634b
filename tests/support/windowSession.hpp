#pragma once

#include "support/testFiles.hpp"

#include <SFML/Graphics/Image.hpp>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
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
    /// With `answerPrompts`, standard input is a pipe the test writes with answer(), kept open so that the
    /// program never sees its end; otherwise it is empty.
    windowSession(const temporaryDirectory& directory, const std::string& arguments,
                  bool answerPrompts = false)
        : folder(directory) {
        const std::string prompts = folder.file("prompts");
        if (answerPrompts) {
            if (mkfifo(prompts.c_str(), 0600) != 0) {
                throw std::runtime_error("cannot make the pipe " + prompts);
            }
            // Read and write: opening does not wait for the program, and the pipe never reports its end.
            promptWriter = open(prompts.c_str(), O_RDWR | O_CLOEXEC);
        }
        pid = fork();
        if (pid == 0) {
            if (chdir(folder.path().c_str()) != 0) {
                _exit(127);
            }
            const int input = open(answerPrompts ? "prompts" : "/dev/null", O_RDONLY);
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
        if (promptWriter >= 0) {
            close(promptWriter);
        }
    }
    windowSession(const windowSession&) = delete;
    windowSession& operator=(const windowSession&) = delete;

    /// Waits for the window, moves it to the screen's origin and gives it the keyboard. False on timeout.
    /// After a relaunch, call it once the new run has said "Done loading pathing grid!": the old window is
    /// gone by then, and the new one may have the old one's id.
    bool waitForWindow(std::chrono::seconds timeout = std::chrono::seconds(120)) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            windowId =
                commandOutput("xdotool search --onlyvisible --name 'Kestrova Game' 2>/dev/null | head -n 1");
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
    /// One xdotool run presses and releases, so that starting a process under load cannot stretch the hold.
    void hold(const std::string& key, int milliseconds = 250) {
        run("xdotool keydown " + key + " sleep " + std::to_string(milliseconds / 1000.0) + " keyup " + key);
    }

    /// One pan step: held across a few frames, then released for longer than the pan period.
    void step(const std::string& arrow) {
        hold(arrow, 60);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }

    void key(const std::string& key) { run("xdotool key --window " + windowId + " " + key); }

    /// Types `text` (no quotes in it) into the focused window, one character every 60 ms.
    void type(const std::string& text) { run("xdotool type --delay 60 '" + text + "'"); }

    /// Moves the mouse to window pixel (x, y), lets a frame see it, then clicks `button` (1 left, 3 right).
    void click(int x, int y, int button = 1) {
        moveMouse(x, y);
        run("xdotool click " + std::to_string(button));
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    void moveMouse(int x, int y) {
        run("xdotool mousemove --window " + windowId + " " + std::to_string(x) + " " + std::to_string(y));
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }

    /// "<width>x<height>" of the window in screen pixels.
    std::string windowSize() const {
        const std::string geometry = commandOutput("xdotool getwindowgeometry " + windowId);
        const std::size_t at = geometry.find("Geometry: ");
        return at == std::string::npos ? geometry : geometry.substr(at + 10);
    }

    /// Writes `line` and a line break to the program's standard input (see the constructor).
    void answer(const std::string& line) {
        const std::string text = line + "\n";
        if (promptWriter < 0 ||
            write(promptWriter, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            throw std::runtime_error("cannot answer the prompt");
        }
    }

    /// The program's resident memory in kilobytes (VmRSS); −1 when it cannot be read.
    long residentKilobytes() const {
        const std::string status = readTextFile("/proc/" + std::to_string(pid) + "/status");
        const std::size_t at = status.find("VmRSS:");
        return at == std::string::npos ? -1 : std::stol(status.substr(at + 6));
    }

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
            if (countOf(output(), text) >= count) {
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
    int promptWriter = -1;
    bool exited = false;
    std::string windowId;
};
