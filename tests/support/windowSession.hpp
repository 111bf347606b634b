#pragma once

#include "support/testFiles.hpp"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

/// Holds a connection to the X display: Xvfb resets when its last client leaves, and a program started
/// during the reset cannot connect, so a test that starts the program twice keeps one open.
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

/// The built program started in `directory` as a user starts it, driven with xdotool and watched with
/// ImageMagick's import under the test's X display. Killed at scope end if it still runs. Its standard input
/// holds `answers`, the lines it reads at its prompts in turn.
class windowSession {
  public:
    windowSession(const temporaryDirectory& directory, const std::string& arguments,
                  const std::string& answers = "")
        : folder(directory) {
        writeTextFile(folder.file("answers.txt"), answers);
        pid = fork();
        if (pid == 0) {
            if (chdir(folder.path().c_str()) != 0 || dup2(::open("answers.txt", O_RDONLY), 0) < 0) {
                _exit(127);
            }
            dup2(::open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            dup2(::open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
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

    /// Waits for the window, moves it to the screen's origin and gives it the keyboard; false on timeout.
    /// After a relaunch, call it once the new run has said "Done loading pathing grid!".
    bool waitForWindow(std::chrono::seconds timeout = std::chrono::seconds(120)) {
        if (!waitUntil(timeout, [this] {
                windowId = commandOutput(
                    "xdotool search --onlyvisible --name 'Kestrova Game' 2>/dev/null | head -n 1");
                return !windowId.empty();
            })) {
            return false;
        }
        run("xdotool windowmove --sync " + windowId + " 0 0");
        run("xdotool mousemove --window " + windowId + " 300 300");
        run("xdotool windowfocus --sync " + windowId);
        return true;
    }
    /// Holds `key` (an xdotool name) for a few frames; one xdotool run, so that load cannot stretch the hold.
    void hold(const std::string& key, int milliseconds = 250) {
        run("xdotool keydown " + key + " sleep " + std::to_string(milliseconds / 1000.0) + " keyup " + key);
    }
    void key(const std::string& key) { run("xdotool key --window " + windowId + " " + key); }
    /// Types UTF-8 `text` (no quotes in it), one character every 60 ms; 150 ms for text beyond ASCII, whose
    /// characters xdotool types by mapping a spare key to each in turn.
    void type(const std::string& text) {
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return c >= 0; });
        run("xdotool type --delay " + std::string(ascii ? "60" : "150") + " '" + text + "'");
    }
    /// Resizes the window from outside, as a window manager does, and lets a frame show it; false unless it
    /// is `expected` ("<width>x<height>") within 5 s.
    bool resize(int across, int down, const std::string& expected) {
        run("xdotool windowsize " + windowId + " " + std::to_string(across) + " " + std::to_string(down));
        const bool resized = waitUntil(std::chrono::seconds(5), [&] { return windowSize() == expected; });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return resized;
    }
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
        return geometry.substr(geometry.find("Geometry: ") + 10);
    }
    /// Captures the window into `name` in the session's folder (and KESTROVA_KEEP_SCREENSHOTS) and loads it.
    sf::Image screenshot(const std::string& name) {
        run("import -window " + windowId + " '" + folder.file(name) + "'");
        if (const char* keep = std::getenv("KESTROVA_KEEP_SCREENSHOTS")) {
            run("cp '" + folder.file(name) + "' '" + keep + "/'");
        }
        sf::Image image;
        if (!image.loadFromFile(folder.file(name))) {
            throw std::runtime_error("cannot read the screenshot " + name);
        }
        return image;
    }
    std::string output() const { return readTextFile(folder.file("out.txt")); }
    std::string transcript() const {
        return output() + "\n--- stderr:\n" + readTextFile(folder.file("err.txt"));
    }
    /// Waits until standard output holds `text` `count` times; false on timeout.
    bool waitForOutput(const std::string& text, std::size_t count = 1,
                       std::chrono::seconds timeout = std::chrono::seconds(60)) const {
        return waitUntil(timeout, [&] { return countOf(output(), text) >= count; });
    }
    /// Waits for the program to end: its exit code, or −1 if it did not end normally in time.
    int exitCode(std::chrono::seconds timeout = std::chrono::seconds(30)) {
        int status = 0;
        exited = waitUntil(timeout, [&] { return waitpid(pid, &status, WNOHANG) == pid; });
        return exited && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    template <class Condition> static bool waitUntil(std::chrono::seconds timeout, Condition holds) {
        for (const auto end = std::chrono::steady_clock::now() + timeout;
             std::chrono::steady_clock::now() < end;
             std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
            if (holds()) {
                return true;
            }
        }
        return false;
    }
    static void run(const std::string& command) {
        if (std::system(command.c_str()) != 0) {
            throw std::runtime_error("failed: " + command);
        }
    }
    static std::string commandOutput(const std::string& command) {
        std::string text;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            for (char buffer[256]; fgets(buffer, sizeof buffer, pipe) != nullptr;) {
                text += buffer;
            }
            pclose(pipe);
        }
        return text.substr(0, text.find_last_not_of("\r\n") + 1);
    }

    const temporaryDirectory& folder;
    pid_t pid = -1;
    bool exited = false;
    std::string windowId;
};
