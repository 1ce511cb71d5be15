// Support for tests that run programs as real processes: scratch directories, whole files, and a
// program run with its own working directory and environment, its output and end collected.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace support {

// The whole content of the file at PATH; "" when it cannot be read.
inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// TEXT cut at its line ends, the ends dropped.
inline std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

inline void write_file(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    ASSERT_TRUE(out.good()) << path;
}

// A new directory /tmp/STEM.XXXXXX; its name goes to PATH.
inline void make_temp_directory(const std::string& stem, std::string& path) {
    std::string pattern = "/tmp/" + stem + ".XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    path = pattern;
}

inline void remove_tree(const std::string& path) { ASSERT_EQ(std::system(("rm -rf '" + path + "'").c_str()), 0); }

// The exit code in a wait status (from std::system, pclose or waitpid); -1 for any other end.
inline int exit_code(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

// Runs COMMAND with /bin/sh; its exit code, or -1.
inline int run_shell(const std::string& command) { return exit_code(std::system(command.c_str())); }

// The standard output of COMMAND run with /bin/sh. STATUS, if given, receives its exit code, or -1.
inline std::string capture_output(const std::string& command, int* status = nullptr) {
    std::string out;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        if (status != nullptr) {
            *status = -1;
        }
        return out;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        out += buffer;
    }
    const int raw = ::pclose(pipe);
    if (status != nullptr) {
        *status = exit_code(raw);
    }
    return out;
}

struct ProcessResult {
    std::string out;
    std::string err;
    int status = -1;  // as waitpid gives it

    bool aborted() const { return WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT; }
    bool exited_with(int code) const { return WIFEXITED(status) && WEXITSTATUS(status) == code; }
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs PROGRAM with ARGS in DIRECTORY. Its stdout and stderr go to the files "stdout" and "stderr"
// in CAPTURE (best outside DIRECTORY) and are returned whole. The child starts without the
// plotter's PLOTTER_TRACE and PGPLOT_DEV, then gets ENVIRONMENT; the signals in IGNORED start out
// ignored. A child still running after a minute is killed and the test fails.
inline ProcessResult run_process(const std::string& program, const std::vector<std::string>& args,
                                 const std::string& directory, const std::string& capture,
                                 const Environment& environment = {}, const std::vector<int>& ignored = {}) {
    const std::string out_path = capture + "/stdout";
    const std::string err_path = capture + "/stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(directory.c_str()) != 0) {
            _exit(127);
        }
        unsetenv("PLOTTER_TRACE");
        unsetenv("PGPLOT_DEV");
        for (const auto& [name, value] : environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        for (int signal_number : ignored) {
            std::signal(signal_number, SIG_IGN);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ProcessResult result;
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return result;
    }
    for (int waited = 0;; ++waited) {
        if (waitpid(pid, &result.status, WNOHANG) == pid) {
            break;
        }
        if (waited == 6000) {
            kill(pid, SIGKILL);
            waitpid(pid, &result.status, 0);
            ADD_FAILURE() << program << " hung";
            break;
        }
        usleep(10000);
    }
    result.out = slurp(out_path);
    result.err = slurp(err_path);
    return result;
}

}  // namespace support
