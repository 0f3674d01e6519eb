#pragma once
// A prompter for tests: records every box that would be shown and answers from a list
// (OK once the list is used up).

#include <deque>
#include <string>
#include <vector>

#include "win32/prompter.h"

namespace gd {

struct ShownPrompt {
    std::wstring text;
    std::wstring title;
    UINT type = 0;
};

class FakePrompter final : public Prompter {
public:
    int Show(HWND, const std::wstring& text, const std::wstring& title, UINT type) override {
        shown.push_back({text, title, type});
        if (answers.empty()) return IDOK;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ShownPrompt> shown;
    std::deque<int> answers;
};

}  // namespace gd
