#include "model/ValueList.h"

#include <stdexcept>
#include <utility>

ValueList::ValueList(std::initializer_list<std::string> texts) : texts_(texts) {}

ValueList::ValueList(std::vector<std::string> texts) : texts_(std::move(texts)) {}

void ValueList::append(std::string text)
{
    texts_.push_back(std::move(text));
}

void ValueList::appendAll(const ValueList& other)
{
    texts_.insert(texts_.end(), other.texts_.begin(), other.texts_.end());
}

const std::string& ValueList::at(std::size_t index) const
{
    if (index >= texts_.size())
        throw std::invalid_argument("value list index " + std::to_string(index) + " outside 0.." +
                                    std::to_string(texts_.size()) + "-1");
    return texts_[index];
}

void ValueList::set(std::size_t index, std::string text)
{
    if (index >= texts_.size())
        throw std::invalid_argument("value list index " + std::to_string(index) + " outside 0.." +
                                    std::to_string(texts_.size()) + "-1");
    texts_[index] = std::move(text);
}
