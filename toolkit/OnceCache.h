#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>

namespace velmora {

// Values computed on demand and kept, for several threads at once: the first
// thread to ask for a key computes its value, and a thread asking for the
// same key meanwhile waits for that value instead of computing it again.
// The computation runs with no lock held, so it may take locks of its own
// (a font database's, say) without any risk of waiting in a circle. If it
// throws, the exception goes to its own caller and a waiting thread computes
// the value itself.
template <class Key, class Value>
class OnceCache {
public:
    template <class Compute>
    Value Get(const Key& key, Compute compute)
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            const auto found = entries_.find(key);
            if (found == entries_.end())
                break;
            if (found->second)
                return *found->second;
            computed_.wait(lock);
        }
        // An empty entry marks the value as being computed.
        entries_.emplace(key, std::nullopt);
        lock.unlock();
        std::optional<Value> value;
        try {
            value.emplace(compute());
        } catch (...) {
            lock.lock();
            entries_.erase(key);
            computed_.notify_all();
            throw;
        }
        lock.lock();
        entries_.at(key) = value;
        computed_.notify_all();
        return *value;
    }

private:
    std::mutex mutex_;
    std::condition_variable computed_;
    std::map<Key, std::optional<Value>> entries_;
};

}  // namespace velmora
