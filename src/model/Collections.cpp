#include "model/Collections.h"

void CheckIndex(int index, std::size_t count)
{
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        throw std::invalid_argument("index " + std::to_string(index) + " outside 0.." +
                                    std::to_string(static_cast<long long>(count) - 1));
}

SNote Templates::get(int index) const
{
    CheckIndex(index, items_.size());
    return items_[static_cast<std::size_t>(index)];
}

void Templates::replace(int index, const SNote& note)
{
    CheckIndex(index, items_.size());
    items_[static_cast<std::size_t>(index)] = note;
}

void Templates::remove(int index)
{
    CheckIndex(index, items_.size());
    items_.erase(items_.begin() + index);
}

std::optional<SNote> Templates::FindDefaultTemplate() const
{
    for (const SNote& t : items_) {
        if (t.isDefault) {
            SNote copy = t;
            copy.isDefault = false;
            return copy;
        }
    }
    if (items_.empty())
        return std::nullopt;
    SNote copy = items_.back();
    copy.isDefault = true;
    return copy;
}

void Templates::SetDefaultTemplate(int k)
{
    if (k < 0 || k >= count() || items_[static_cast<std::size_t>(k)].isDefault)
        return;
    for (int i = 0; i < count(); ++i)
        items_[static_cast<std::size_t>(i)].isDefault = (i == k);
}

std::string Categories::get(int index) const
{
    CheckIndex(index, items_.size());
    return items_[static_cast<std::size_t>(index)];
}

int Categories::find(const std::string& name) const
{
    for (int i = 0; i < count(); ++i)
        if (items_[static_cast<std::size_t>(i)] == name)
            return i;
    return -1;
}
