#pragma once
// A value or the readable text of why there is none. Errors are values: nothing in this
// folder throws or keeps a global error state.

#include <optional>
#include <string>
#include <utility>

namespace gd::res {

template <class T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Fail(std::string error) {
        Result r;
        r.error_ = std::move(error);
        return r;
    }

    explicit operator bool() const { return value_.has_value(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return error_; }

private:
    Result() = default;
    std::optional<T> value_;
    std::string error_;
};

}  // namespace gd::res
