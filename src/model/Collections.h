#pragma once
// The program's three collections: templates, category names and the slots of the
// open notes. An index outside the collection throws std::invalid_argument.

#include "model/SNote.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

void CheckIndex(int index, std::size_t count);

class Templates {
public:
    int count() const { return static_cast<int>(items_.size()); }
    SNote get(int index) const;
    void append(const SNote& note) { items_.push_back(note); }
    void replace(int index, const SNote& note);
    void remove(int index);
    void reorder(std::vector<SNote> inOrder) { items_ = std::move(inOrder); }
    void clear() { items_.clear(); }
    const std::vector<SNote>& all() const { return items_; }

    // A copy of the first template marked default, the mark cleared in the copy; with
    // none marked, a copy of the last template with the mark set; nothing when empty.
    std::optional<SNote> FindDefaultTemplate() const;
    // Moves the default mark to template k; never clears a mark; k out of range does nothing.
    void SetDefaultTemplate(int k);

private:
    std::vector<SNote> items_;
};

class Categories {
public:
    int count() const { return static_cast<int>(items_.size()); }
    std::string get(int index) const;
    void append(const std::string& name) { items_.push_back(name); }
    void clear() { items_.clear(); }
    const std::vector<std::string>& all() const { return items_; }
    // Position of the first entry equal to name (exact comparison), or -1.
    int find(const std::string& name) const;

private:
    std::vector<std::string> items_;
};

// Slots of the open notes: a closed note leaves a null entry, slots are never reused.
template <typename T> class SlotList {
public:
    int count() const { return static_cast<int>(items_.size()); }
    T* get(int index) const
    {
        CheckIndex(index, items_.size());
        return items_[static_cast<std::size_t>(index)];
    }
    int append(T* item)
    {
        items_.push_back(item);
        return count() - 1;
    }
    void setNull(int index)
    {
        CheckIndex(index, items_.size());
        items_[static_cast<std::size_t>(index)] = nullptr;
    }
    void clear() { items_.clear(); }

private:
    std::vector<T*> items_;
};
