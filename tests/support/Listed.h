#pragma once

#include <memory>
#include <vector>

// Enters an object in a test's list of the live ones, and takes it out when it goes, so
// the test sees what the program made and still holds.
template <class T>
class Listed {
public:
    std::weak_ptr<std::vector<T*>> registry;

    void enter(const std::shared_ptr<std::vector<T*>>& list)
    {
        registry = list;
        list->push_back(static_cast<T*>(this));
    }

protected:
    ~Listed()
    {
        if (auto list = registry.lock())
            std::erase(*list, static_cast<T*>(this));
    }
};
