#pragma once

// The one way a core operation reports failure: a value or the reason it could not be
// made. The reason is the user-facing text; callers show it, print it or pass it on.

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace tessivar {

// A failure's reason, for returning from functions that give a Result.
struct Failure {
    std::string Reason;
};

inline Failure Fail(std::string reason) {
    return Failure{std::move(reason)};
}

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value)
        : value_(std::move(value)) {}
    Result(Failure failure)
        : error_(std::move(failure.Reason)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    T& value() & {
        assert(ok());
        return *value_;
    }
    const T& value() const& {
        assert(ok());
        return *value_;
    }
    T&& value() && {
        assert(ok());
        return std::move(*value_);
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    // The reason; empty when the operation succeeded.
    const std::string& error() const { return error_; }

private:
    std::optional<T> value_;
    std::string error_;
};

// A Result that carries no value: success, or the reason of the failure.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : failed_(true)
        , error_(std::move(failure.Reason)) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

private:
    bool failed_ = false;
    std::string error_;
};

using Status = Result<void>;

inline Status Ok() {
    return {};
}

} // namespace tessivar
