#pragma once

namespace velmora {

// Asks the system to put every byte written to the open file `descriptor` (a C runtime file
// descriptor, as QFileDevice::handle() gives it) onto the disk: a file is only kept once this
// returns true. False where the disk refuses; lastFileFailure() then says why.
//   flushToDisk(file.handle()) -> true
//   flushToDisk(file.handle()) on a full disk that takes space only on the flush -> false, ENOSPC
bool flushToDisk(int descriptor);

// Why the last file operation of this thread failed, as the errno value that names the reason on
// every system (ENOSPC, EACCES, EROFS, ENOENT, ...); 0 where the system gave none.
//   after opening a file in a folder the user may not write -> EACCES
int lastFileFailure();

// Forgets the last failure, so that lastFileFailure() tells only of what follows.
void forgetFileFailure();

} // namespace velmora
