#pragma once
// Stand-ins for the build's encoder, resource target, questions and platform, so the
// build's steps and log lines can be checked without codecs or executables.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "maker/project/build_hooks.h"
#include "maker/project/build_log.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "maker/project/saver_builder.h"

namespace gd::test {

// Encodes a picture as the bytes "<path>" unless the path is listed with an outcome.
class FakeEncoder : public PictureEncoder {
public:
    PictureEntry Encode(const std::string& path, int, const PictureShape&) const override {
        std::lock_guard lock(mutex_);
        ++calls_;
        auto it = outcomes.find(path);
        if (it != outcomes.end() && it->second != PictureOutcome::kOk) return {it->second, {}, {}};
        return {PictureOutcome::kOk, std::vector<uint8_t>(path.begin(), path.end()), {}};
    }
    std::map<std::string, PictureOutcome> outcomes;
    int calls() const { return calls_; }

private:
    mutable std::mutex mutex_;
    mutable int calls_ = 0;
};

struct Written {
    std::map<std::pair<uint16_t, uint16_t>, std::vector<uint8_t>> entries;
    std::vector<std::string> icons;
    bool committed = false;
};

class FakeTarget : public ResourceTarget {
public:
    FakeTarget(Written& out, std::set<std::pair<uint16_t, uint16_t>> refuse, bool refuse_commit)
        : out_(out), refuse_(std::move(refuse)), refuse_commit_(refuse_commit) {}
    bool Write(uint16_t type, uint16_t id, std::span<const uint8_t> bytes) override {
        if (refuse_.erase({type, id})) return false;  // each listed entry is refused once
        pending_[{type, id}] = std::vector<uint8_t>(bytes.begin(), bytes.end());
        return true;
    }
    bool ReplaceIcon(const std::string& icon) override {
        out_.icons.push_back(icon);
        return true;
    }
    std::string FailureReason() const override { return "No space left on device"; }
    bool Commit() override {
        if (refuse_commit_) return false;
        out_.entries = pending_;
        out_.committed = true;
        return true;
    }

private:
    Written& out_;
    std::map<std::pair<uint16_t, uint16_t>, std::vector<uint8_t>> pending_;
    std::set<std::pair<uint16_t, uint16_t>> refuse_;
    bool refuse_commit_;
};

class FakeTargets : public ResourceTargetFactory {
public:
    std::unique_ptr<ResourceTarget> Open(const std::string& path) override {
        opened.push_back(path);
        return std::make_unique<FakeTarget>(written, refuse, refuse_commit);
    }
    Written written;
    std::vector<std::string> opened;
    std::set<std::pair<uint16_t, uint16_t>> refuse;
    bool refuse_commit = false;
};

class FakeQuestions : public BuildQuestions {
public:
    bool Ask(const std::string& question) override {
        asked.push_back(question);
        return answer;
    }
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    bool answer = false;
    std::vector<std::string> asked, shown;
};

// Installs into `folder` (a file of the name there counts as installed already) and
// reports `result`'s place and activation.
class FakePlatform : public ScreensaverPlatform {
public:
    bool CanSetDefaultSaver() const override { return available; }
    DefaultSaverInstall InstallDefaultSaver(const std::string& made_file, const std::string& name,
                                            const std::function<bool(const std::string&)>& confirm_replace) override {
        DefaultSaverInstall install = result;
        install.path = JoinPath(folder, name + ".scr");
        if (PathExists(install.path) && !confirm_replace(install.path)) {
            install.status = DefaultSaverInstall::Status::kDeclined;
            return install;
        }
        if (install.status == DefaultSaverInstall::Status::kInstalled) CopyFileReplacing(made_file, install.path);
        installed.push_back(install.path);
        return install;
    }
    bool available = false;
    std::string folder;
    DefaultSaverInstall result{DefaultSaverInstall::Status::kInstalled, {}, false, true};
    std::vector<std::string> installed;
};

// Runs a build on its worker thread and collects every log line as a consumer would.
inline std::vector<std::string> RunBuild(CSaverBuilder& builder, BuildLogMailbox& log) {
    std::vector<std::string> lines;
    builder.Start();
    std::string line;
    while (log.WaitNext(&line) == BuildLogMailbox::Wait::kLine) lines.push_back(line);
    builder.Join();
    return lines;
}

}  // namespace gd::test
