#pragma once

#include <memory>

namespace kestova {

// The one instance of something the whole program reaches (a window, the server link), made on
// first use and destroyed when released, so that a new run of the program or a new test starts
// from a fresh one. Keep it in a function-local static.
template <typename Thing>
class OneInstance {
public:
    Thing& get() {
        if (!instance_) {
            instance_ = std::make_unique<Thing>();
        }
        return *instance_;
    }
    // Null until first used or after release.
    Thing* made() const { return instance_.get(); }
    void release() { instance_.reset(); }

private:
    std::unique_ptr<Thing> instance_;
};

}  // namespace kestova
