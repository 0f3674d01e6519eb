#include "maker/project/editor_target.h"

#include "common/resource_types.h"
#include "resources/icon_file.h"
#include "resources/resource_editor.h"

namespace gd {

namespace {

class EditorTarget : public ResourceTarget {
public:
    bool Open(const std::string& path) { return editor_.Open(path); }
    bool Write(uint16_t type, uint16_t id, std::span<const uint8_t> bytes) override {
        return editor_.Write(type, id, kSaverResourceLanguage, bytes);
    }
    bool ReplaceIcon(const std::string& icon_file) override { return res::StageIcon(icon_file, editor_); }
    bool Commit() override { return editor_.Commit(); }
    std::string FailureReason() const override {
        return editor_.system_error().empty() ? editor_.error() : editor_.system_error();
    }

private:
    res::ResourceEditor editor_;
};

}  // namespace

std::unique_ptr<ResourceTarget> EditorTargetFactory::Open(const std::string& path) {
    auto target = std::make_unique<EditorTarget>();
    if (!target->Open(path)) return nullptr;
    return target;
}

}  // namespace gd
