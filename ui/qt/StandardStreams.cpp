#include "StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace Brisvane {

void ProtectStandardStreams() noexcept
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Without /dev/null (a bare chroot) the root directory serves:
        // reads and writes on it fail harmlessly.
        int placeholder = ::open("/dev/null", O_RDWR);
        if (placeholder == -1)
            placeholder = ::open("/", O_RDONLY | O_DIRECTORY);
        if (placeholder != -1 && placeholder != fd) {
            ::dup2(placeholder, fd);
            ::close(placeholder);
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace Brisvane
