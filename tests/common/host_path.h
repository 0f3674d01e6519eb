#pragma once
// The build hands the tests Unix paths (inputs, samples, the runtime template). The same
// tests built for Windows run under Wine, where the Unix root is drive Z:.

#include <string>

namespace gd::testing {

inline std::string HostPath(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
#endif
    return path;
}

}  // namespace gd::testing
