#pragma once

#include <cstddef>
#include <string>

namespace Brisvane {

// Room for a short-lived text of known size: on the stack for any sensible
// input, on the heap only for absurdly long ones, so that reading a typed
// number costs no allocation.
class ScratchText {
public:
    explicit ScratchText(std::size_t capacity)
    {
        if (capacity > sizeof local_) {
            heap_.resize(capacity);
            data_ = heap_.data();
        }
    }
    ScratchText(const ScratchText&) = delete;
    ScratchText& operator=(const ScratchText&) = delete;

    char* Data() noexcept { return data_; }

private:
    char local_[128];
    std::string heap_;
    char* data_ = local_;
};

}  // namespace Brisvane
