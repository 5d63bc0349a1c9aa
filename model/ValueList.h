#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

// An ordered list of value texts; element i is the value of level (or skill level) i.
// Reading or replacing outside 0..size()-1 throws std::invalid_argument.
class ValueList final {
public:
    ValueList() = default;
    ValueList(std::initializer_list<std::string> texts);
    explicit ValueList(std::vector<std::string> texts);

    void append(std::string text);
    void appendAll(const ValueList& other);
    const std::string& at(std::size_t index) const;
    void set(std::size_t index, std::string text);
    std::size_t size() const { return texts_.size(); }
    bool empty() const { return texts_.empty(); }
    void clear() { texts_.clear(); }
    void reserve(std::size_t n) { texts_.reserve(n); }

    const std::vector<std::string>& texts() const { return texts_; }
    auto begin() const { return texts_.begin(); }
    auto end() const { return texts_.end(); }

    bool operator==(const ValueList&) const = default;

private:
    std::vector<std::string> texts_;
};
