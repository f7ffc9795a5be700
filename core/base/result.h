#pragma once
// A value or the reason there is none: what every step that may refuse its input returns,
// in the core and the front ends alike. The reason is one line, fit for an error message
// (vorlexi-calc prints it and exits with status 2).

#include <string>
#include <utility>
#include <variant>

template <class T>
class Result {
public:
    Result(T value) : state_(std::move(value)) {}

    static Result Failure(std::string error) { return Result(Error{std::move(error)}); }

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T& value() const& { return std::get<T>(state_); }
    T& value() & { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    // Only when not ok().
    const std::string& error() const { return std::get<Error>(state_).text; }

private:
    struct Error {
        std::string text;
    };
    explicit Result(Error error) : state_(std::move(error)) {}

    std::variant<T, Error> state_;
};
