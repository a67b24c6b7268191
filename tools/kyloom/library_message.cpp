#include "library_message.h"

#include "kyloom32.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvane {

std::string libraryMessage(uint16_t id)
{
    unsigned char text[256];
    LoadMsg(id, text);
    return std::string(reinterpret_cast<const char *>(text + 1), text[0]);
}

std::string macroFileOpenProblem(const std::string &path)
{
    int error = 0;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
    } else {
        // A folder opens for reading, but no macro can be read from it.
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
            error = EISDIR;
        close(fd);
    }
    if (error == 0)
        return {};
    return libraryMessage(KyMsgOpen) + ": " + path + ": " + std::strerror(error);
}

} // namespace orvane
