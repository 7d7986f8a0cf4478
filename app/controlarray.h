#pragma once

#include <map>
#include <stdexcept>
#include <string>

// Controls that share a name and are told apart by an index. Only the indices that exist may
// be used: asking for any other is a programming error.
template <typename T> class ControlArray {
  public:
    ControlArray(const char* name) : name_(name) {}
    void add(int index, T* control) { controls_[index] = control; }
    T* operator()(int index) const {
        auto it = controls_.find(index);
        if (it == controls_.end())
            throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
        return it->second;
    }
    bool has(int index) const { return controls_.count(index) != 0; }
    const std::map<int, T*>& all() const { return controls_; }

  private:
    std::string name_;
    std::map<int, T*> controls_;
};
