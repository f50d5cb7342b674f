#pragma once
// Test helper: runs the Modbus device simulator (build/tavlo-devsim) as a child
// process, reads the device path it prints, and stops it with SIGTERM when the
// helper goes out of scope. The build passes the simulator's file path as
// TAVLO_DEVSIM_PATH; tests depend on the tavlo-devsim target.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

class DevsimProcess {
public:
    static constexpr int START_TIMEOUT_MS = 10000;
    static constexpr int EXIT_TIMEOUT_MS = 5000;
    static constexpr int EXIT_POLL_MS = 10;
    // What stop() and waitForExit() return when the process did not exit normally.
    static constexpr int NO_EXIT_CODE = -1;

    // Starts the simulator with the given options ("--accept-swapped-crc",
    // "--slave", "17", ...); started() tells whether it printed a device path.
    explicit DevsimProcess(const std::vector<std::string> &options = {})
    {
        int output[2];
        if (pipe2(output, O_CLOEXEC) != 0)
            return;
        std::vector<std::string> arguments{TAVLO_DEVSIM_PATH};
        arguments.insert(arguments.end(), options.begin(), options.end());
        std::vector<char *> argv;
        for (std::string &argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        // Whatever the test process blocks or ignores, the simulator gets default signals.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&stopSignals, signal);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &stopSignals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        if (posix_spawn(&m_pid, TAVLO_DEVSIM_PATH, &actions, &attributes, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        m_output = output[0];
        if (m_pid > 0)
            readDevicePath();
    }

    ~DevsimProcess()
    {
        stop();
        if (m_output >= 0)
            close(m_output);
    }

    DevsimProcess(const DevsimProcess &) = delete;
    DevsimProcess &operator=(const DevsimProcess &) = delete;

    bool started() const { return !m_devicePath.empty(); }
    // The pseudo-terminal to open as the serial port, e.g. "/dev/pts/5".
    const std::string &devicePath() const { return m_devicePath; }

    // Sends the signal and waits for the exit; returns the exit code, or
    // NO_EXIT_CODE when the process died otherwise or had to be killed.
    int stop(int signal = SIGTERM)
    {
        if (m_pid > 0)
            kill(m_pid, signal);
        return waitForExit();
    }

    // Waits for the process to end by itself (for example after a usage error).
    int waitForExit()
    {
        if (m_pid <= 0)
            return m_exitCode;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(EXIT_TIMEOUT_MS);
        int status = 0;
        pid_t done = waitpid(m_pid, &status, WNOHANG);
        while (done == 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(EXIT_POLL_MS));
            done = waitpid(m_pid, &status, WNOHANG);
        }
        if (done == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
        m_exitCode = (done > 0 && WIFEXITED(status)) ? WEXITSTATUS(status) : NO_EXIT_CODE;
        return m_exitCode;
    }

private:
    void readDevicePath()
    {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(START_TIMEOUT_MS);
        while (line.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd entry{m_output, POLLIN, 0};
            if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0)
                return;
            char buffer[256];
            const ssize_t n = read(m_output, buffer, sizeof buffer);
            if (n <= 0)
                return;
            line.append(buffer, static_cast<size_t>(n));
        }
        m_devicePath = line.substr(0, line.find('\n'));
    }

    pid_t m_pid = -1;
    int m_output = -1;
    int m_exitCode = NO_EXIT_CODE;
    std::string m_devicePath;
};
