#pragma once

#include <string>
#include <utility>
#include <variant>

// Why something asked of the editor could not be done, in words for the person who asked.
struct Failure {
    std::string text;
};

// The value of a Result that only tells whether it worked.
struct Done {};

// What an operation that can fail in an expected way gives back: its value, or why not, for
// the front end to show (a message box in the editor, a line and an exit status in the tool).
// What cannot go on at all (a broken invariant, memory) is thrown instead.
//
// E is Failure unless a caller needs more than the text: the file and line of a source that
// cannot be read, the command whose help to point at, the system's error code.
template <class T = Done, class E = Failure>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(E failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const E& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, E> state_;
};
