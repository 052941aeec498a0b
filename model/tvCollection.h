#pragma once

#include <QString>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "IgnoringCase.h"
#include "RtError.h"

// What a collection does with an Add whose key is already present.
enum class tvDuplicateKey { Fail, KeepFirst };

// The one ordered collection behind every list of the model. Entries stand in the order they
// were added and are reached by 1-based position, or by a key compared ignoring letter case
// when they were added with one. An owning collection owns its items; a reference collection
// holds items that another collection owns (a definition shared by its users, a subreport
// object both in its section and in its report's list).
template <class T, bool Owning = true, tvDuplicateKey OnDuplicate = tvDuplicateKey::Fail>
class tvCollection {
public:
    using Pointer = std::conditional_t<Owning, std::unique_ptr<T>, T*>;

    tvCollection() = default;
    tvCollection(tvCollection&&) noexcept = default;
    tvCollection& operator=(tvCollection&&) noexcept = default;

    // Appends `item`, under `key` unless the key is empty. Returns the item added; a key already
    // present fails and leaves the list unchanged, or, where the collection keeps the first entry
    // of a key, returns nullptr and drops the new item.
    T* Add(Pointer item, const QString& key = QString()) {
        T* raw = &*item;
        if (!key.isEmpty()) {
            if (index_.contains(key)) {
                if constexpr (OnDuplicate == tvDuplicateKey::KeepFirst) {
                    return nullptr;
                } else {
                    throw rt::Error(rt::kErrDuplicateKey,
                                    QStringLiteral("This key is already associated with an "
                                                   "element of this collection"));
                }
            }
            index_.emplace(key, static_cast<qsizetype>(entries_.size()));
        }
        entries_.push_back(Entry{std::move(item), key});
        return raw;
    }

    // The entry at a 1-based position.
    T& Item(qsizetype position) const {
        if (position < 1 || position > Count()) {
            throw rt::Error(rt::kErrSubscript, QStringLiteral("Subscript out of range"));
        }
        return *entries_[static_cast<size_t>(position - 1)].item;
    }
    T& Item(int position) const { return Item(static_cast<qsizetype>(position)); }

    // The entry under a key; digits in a key are a key, not a position.
    T& Item(const QString& key) const {
        T* found = Find(key);
        if (!found) {
            throw rt::Error(
                rt::kErrInvalidCall,
                QStringLiteral("Invalid procedure call or argument: no item \"%1\"").arg(key));
        }
        return *found;
    }
    T& Item(const char* key) const { return Item(QString::fromUtf8(key)); }

    // The entry under a key, or nullptr: the look-up whose failure means "no such entry".
    T* Find(const QString& key) const noexcept {
        if (key.isEmpty()) return nullptr;
        const auto it = index_.find(QStringView(key));
        return it == index_.end() ? nullptr : &*entries_[static_cast<size_t>(it->second)].item;
    }

    qsizetype Count() const noexcept { return static_cast<qsizetype>(entries_.size()); }
    bool isEmpty() const noexcept { return entries_.empty(); }

    void Remove(qsizetype position) {
        Item(position);  // fails outside 1..Count
        entries_.erase(entries_.begin() + (position - 1));
        reindex();
    }
    void Remove(int position) { Remove(static_cast<qsizetype>(position)); }
    void Remove(const QString& key) {
        const auto it = index_.find(QStringView(key));
        if (key.isEmpty() || it == index_.end()) Item(key);  // fails with the not-found error
        Remove(it->second + 1);
    }

    // Enumeration in list order, yielding the items themselves.
    class iterator {
    public:
        using Base = typename std::vector<typename tvCollection::Entry>::const_iterator;
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;
        iterator() = default;
        explicit iterator(Base it) : it_(it) {}
        T& operator*() const { return *it_->item; }
        T* operator->() const { return &*it_->item; }
        iterator& operator++() {
            ++it_;
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            ++it_;
            return old;
        }
        bool operator==(const iterator& other) const { return it_ == other.it_; }

    private:
        Base it_;
    };
    iterator begin() const { return iterator(entries_.begin()); }
    iterator end() const { return iterator(entries_.end()); }

    // Items are about to be added, `count` in all: room for them is made at once.
    void Reserve(qsizetype count) { entries_.reserve(static_cast<size_t>(count)); }

private:
    struct Entry {
        Pointer item;
        QString key;
    };

    void reindex() {
        index_.clear();
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (!entries_[i].key.isEmpty()) {
                index_.emplace(entries_[i].key, static_cast<qsizetype>(i));
            }
        }
    }

    std::vector<Entry> entries_;
    // Each key's position, the keys compared ignoring letter case.
    std::unordered_map<QString, qsizetype, rt::IgnoringCase, rt::IgnoringCase> index_;
};

// A collection of items owned elsewhere.
template <class T>
using tvRefCollection = tvCollection<T, false>;
