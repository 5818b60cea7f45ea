#pragma once

#include <iconv.h>

namespace Brisvane {

// One of iconv's conversions, closed with its handle. iconv_open fails with
// (iconv_t)-1 rather than null, which a std::unique_ptr cannot take for
// "nothing".
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (IsOpen())
            ::iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return handle_; }

private:
    iconv_t handle_;
};

}  // namespace Brisvane
