#include "maker/cli/json_writer.h"

#include <cstdio>

#include "common/unicode_text.h"

namespace gd::cli {

void JsonWriter::Separate() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!has_items_.empty()) {
        if (has_items_.back()) out_ += ',';
        has_items_.back() = true;
    }
}

JsonWriter& JsonWriter::Open(char c) {
    Separate();
    out_ += c;
    has_items_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::Close(char c) {
    has_items_.pop_back();
    out_ += c;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    String(key);
    out_ += ':';
    after_key_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    Separate();
    out_ += '"';
    for (size_t pos = 0; pos < text.size();) {
        Utf8Char ch = DecodeUtf8(text, pos);
        char32_t c = ch.code_point;
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += char(c);
        } else if (c < 0x20 || c == 0x7F || !ch.well_formed) {
            // A byte that is not UTF-8 keeps its escape U+DC80..U+DCFF (see unicode_text.h).
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(c));
            out_ += esc;
        } else {
            out_.append(text.substr(pos, ch.length));
        }
        pos += ch.length;
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::Number(int64_t value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    Separate();
    out_ += "null";
    return *this;
}

}  // namespace gd::cli
