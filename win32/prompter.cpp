#include "win32/prompter.h"

namespace gd {
namespace {

class MessageBoxPrompter final : public Prompter {
public:
    int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) override {
        return MessageBoxW(owner, text.c_str(), title.c_str(), type);
    }
};

}  // namespace

Prompter& SystemPrompter() {
    static MessageBoxPrompter prompter;
    return prompter;
}

}  // namespace gd
