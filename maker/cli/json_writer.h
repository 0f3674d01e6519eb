#pragma once
// A small streaming JSON writer for the command line's --json outputs: commas and nesting
// are handled here, so callers only say what comes next. Texts are bytes in the ANSI code
// page; bytes above 0x7F are written as the code points of the same value (Latin-1).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gd::cli {

class JsonWriter {
public:
    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }
    // The key of the next value in an object.
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    std::string Take() { return std::move(out_); }

private:
    JsonWriter& Open(char c);
    JsonWriter& Close(char c);
    void Separate();
    std::string out_;
    std::vector<bool> has_items_;  // per open level
    bool after_key_ = false;
};

}  // namespace gd::cli
