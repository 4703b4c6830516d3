#include "platform/file_system.h"

#include <cerrno>
#include <io.h>
#include <windows.h>

namespace velmora {

bool flushToDisk(int descriptor) {
    const intptr_t handle = _get_osfhandle(descriptor);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the C runtime gives the system's handle so.
    return handle != -1 && FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != 0;
}

int lastFileFailure() {
    // Qt's files on Windows go through the system's own calls, which set only its last error.
    switch (GetLastError()) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    default:
        return errno;
    }
}

void forgetFileFailure() {
    SetLastError(ERROR_SUCCESS);
    errno = 0;
}

} // namespace velmora
