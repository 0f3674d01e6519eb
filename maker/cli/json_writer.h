#pragma once
// A small streaming JSON writer for the command line's --json outputs: commas and nesting
// are handled here, so callers only say what comes next. Texts are UTF-8 and are written
// as such; a byte that is not UTF-8 (a Linux file name in another encoding) is written as
// the escape \udc80..\udcff of that byte.

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
