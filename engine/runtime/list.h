// The object list: links kept in insertion order, walked first to last.
//
// A walk steps past a link before handing out its object, so an object may
// remove itself (or be removed) while the list is walked. The list holds a
// reference to each object; an object removed from its list goes with its
// last reference.
#pragma once

#include <list>
#include <memory>

namespace tuublark {

template <class T>
class TList {
public:
    using Ref = std::shared_ptr<T>;

    void AddLast(Ref object) { links_.push_back(std::move(object)); }

    // Unlinks the first link that holds `object`; nothing when none does.
    void Remove(const T* object) {
        for (auto it = links_.begin(); it != links_.end(); ++it) {
            if (it->get() == object) {
                links_.erase(it);
                return;
            }
        }
    }

    // Calls visit(object) for every object, first to last. The object is
    // kept alive for the duration of its visit even if it leaves the list.
    template <class Visit>
    void Walk(Visit visit) {
        for (auto it = links_.begin(); it != links_.end();) {
            Ref object = *it;
            ++it;
            visit(object);
        }
    }

    size_t Count() const { return links_.size(); }
    bool Empty() const { return links_.empty(); }
    void Clear() { links_.clear(); }

private:
    std::list<Ref> links_;
};

template <class T>
void ListAddLast(TList<T>& list, std::shared_ptr<T> object) {
    list.AddLast(std::move(object));
}

template <class T>
void ListRemove(TList<T>& list, const T* object) {
    list.Remove(object);
}

}  // namespace tuublark
