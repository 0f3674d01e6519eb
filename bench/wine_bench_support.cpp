#include "bench/wine_bench_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace gd::bench {

pid_t StartProgram(const std::vector<std::string>& argv, bool quiet) {
    pid_t pid = fork();
    if (pid == 0) {
        FILE* null = quiet ? std::fopen("/dev/null", "w") : nullptr;
        if (null) {
            dup2(fileno(null), STDOUT_FILENO);
            dup2(fileno(null), STDERR_FILENO);
        }
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    return pid;
}

bool RunQuietly(const std::vector<std::string>& argv) {
    pid_t pid = StartQuietly(argv);
    if (pid < 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool WaitForExit(pid_t pid, int ms, bool kill_late) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (kill_late) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return false;
}

bool EnterWineSession(const std::string& session_script) {
    if (!RunQuietly({session_script, "start"})) return false;
    FILE* env = popen((session_script + " env").c_str(), "r");
    if (!env) return false;
    char line[4096];
    while (std::fgets(line, sizeof line, env)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        auto eq = text.find('=');
        if (eq != std::string::npos) setenv(text.substr(0, eq).c_str(), text.substr(eq + 1).c_str(), 1);
    }
    return pclose(env) == 0 && std::getenv("WINE");
}

std::string WindowsPath(const std::string& path) {
    std::string out = "Z:" + path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

long long RealtimeMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

double LoadAverage() {
    std::ifstream in("/proc/loadavg");
    double one = -1;
    in >> one;
    return one;
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Largest(const std::vector<double>& v) { return v.empty() ? -1 : *std::max_element(v.begin(), v.end()); }

}  // namespace gd::bench
