#pragma once
// The build's resource target over the batched resource editor: every entry in language
// English (US), spooled to disk until the one commit, so a build of any size holds no
// more than one entry in memory.

#include "maker/project/build_hooks.h"

namespace gd {

class EditorTargetFactory : public ResourceTargetFactory {
public:
    std::unique_ptr<ResourceTarget> Open(const std::string& path) override;
};

}  // namespace gd
