#pragma once
// The result of a decoder, an encoder or a facade step: success, or a readable text
// saying what went wrong. Errors travel as values; nothing here throws.

#include <string>
#include <utility>

namespace gd {

class Status {
public:
    Status() = default;  // success
    static Status Error(std::string text) {
        Status s;
        s.failed_ = true;
        s.text_ = text.empty() ? std::string("Unknown error") : std::move(text);
        return s;
    }
    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& text() const { return text_; }

private:
    bool failed_ = false;
    std::string text_;
};

}  // namespace gd
