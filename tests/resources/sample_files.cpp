#include "tests/resources/sample_files.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/common/host_path.h"

namespace fs = std::filesystem;

namespace gd::res::test {

using gd::testing::HostPath;

std::string SamplePath(const std::string& name) {
#ifdef GD_RESOURCE_SAMPLES
    std::string path = HostPath(std::string(GD_RESOURCE_SAMPLES) + "/" + name);
    return fs::exists(path) ? path : "";
#else
    (void)name;
    return "";
#endif
}

std::string InputPath(const std::string& relative) {
    const char* root = std::getenv("GD_TEST_INPUTS");
    return HostPath(std::string(root ? root : "tests/inputs") + "/" + relative);
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    for (;;) {
        auto dir = fs::temp_directory_path() /
                   ("gd-res-" + std::to_string(std::rand()) + "-" + std::to_string(counter++));
        if (fs::create_directory(dir)) {
            dir_ = dir.string();
            return;
        }
    }
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

std::string ScratchDir::Path(const std::string& name) const { return (fs::path(dir_) / name).string(); }

std::string ScratchDir::Copy(const std::string& source, const std::string& name) const {
    std::string to = Path(name);
    fs::copy_file(source, to, fs::copy_options::overwrite_existing);
    return to;
}

std::vector<std::string> ScratchDir::Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    return names;
}

}  // namespace gd::res::test
