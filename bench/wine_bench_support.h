#pragma once
// What the benchmarks that run programs (Windows ones under Wine) share: running a
// program quietly, entering the tests' Wine session (prefix and display), Windows paths of Linux
// files, the wall clock, the machine's load and the median of samples.

#include <sys/types.h>

#include <string>
#include <vector>

namespace gd::bench {

// Starts a program, with its output thrown away when `quiet`; its process id, or -1.
pid_t StartProgram(const std::vector<std::string>& argv, bool quiet = true);
inline pid_t StartQuietly(const std::vector<std::string>& argv) { return StartProgram(argv, true); }
// Runs a program to its end with its output thrown away; true when it exited with 0.
bool RunQuietly(const std::vector<std::string>& argv);
// Waits for `pid` at most `ms`; true when it ended. Kills it when `kill_late` and it did not.
bool WaitForExit(pid_t pid, int ms, bool kill_late = true);

// Starts the tests' Wine session (`session_script` start) and takes over its environment.
bool EnterWineSession(const std::string& session_script);
// Z:\... for a Linux path.
std::string WindowsPath(const std::string& path);

long long RealtimeMicroseconds();
double LoadAverage();
double Median(std::vector<double> v);
double Largest(const std::vector<double>& v);

}  // namespace gd::bench
