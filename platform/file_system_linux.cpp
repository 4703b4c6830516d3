#include "platform/file_system.h"

#include <cerrno>
#include <unistd.h>

namespace velmora {

bool flushToDisk(int descriptor) {
    return ::fsync(descriptor) == 0;
}

int lastFileFailure() {
    return errno;
}

void forgetFileFailure() {
    errno = 0;
}

} // namespace velmora
