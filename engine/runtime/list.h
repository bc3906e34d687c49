// The object list: links kept in insertion order, walked first to last.
//
// A walk steps past a link before handing out its object, and a link
// removed while a walk runs is only emptied, then unlinked when the walk
// is over: any object (itself, the next one, any other) may be removed
// during a walk. The list holds a reference to each object; an object
// removed from its list goes with its last reference.
#pragma once

#include <list>
#include <memory>

namespace tuublark {

template <class T>
class TList {
public:
    using Ref = std::shared_ptr<T>;

    void AddLast(Ref object) {
        if (!object) return;
        links_.push_back(std::move(object));
        ++count_;
    }

    // Unlinks the first link that holds `object`; nothing when none does.
    void Remove(const T* object) {
        if (!object) return;
        for (auto it = links_.begin(); it != links_.end(); ++it) {
            if (it->get() != object) continue;
            --count_;
            if (walks_ > 0) {
                it->reset();
                emptied_ = true;
            } else {
                links_.erase(it);
            }
            return;
        }
    }

    // Calls visit(object) for every object, first to last. The object is
    // kept alive for the duration of its visit even if it leaves the list.
    template <class Visit>
    void Walk(Visit visit) {
        TWalking walking(*this);
        for (auto it = links_.begin(); it != links_.end();) {
            auto link = it++;
            if (!*link) continue;
            Ref object = *link;
            visit(object);
        }
    }

    size_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    void Clear() {
        if (walks_ == 0) {
            links_.clear();
        } else {
            for (Ref& link : links_) link.reset();
            emptied_ = true;
        }
        count_ = 0;
    }

private:
    // Counts running walks (a visit may walk again); the last one to end
    // unlinks the emptied links, also when a visit throws.
    struct TWalking {
        TList& List;
        explicit TWalking(TList& list) : List(list) { ++List.walks_; }
        ~TWalking() {
            if (--List.walks_ == 0 && List.emptied_) {
                List.links_.remove(nullptr);
                List.emptied_ = false;
            }
        }
    };

    std::list<Ref> links_;
    size_t count_ = 0;
    int walks_ = 0;
    bool emptied_ = false;
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
