#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Writes `bytes` into `fileName`, whole or not at all: they go into a file beside it that takes its
// place only once every byte has reached the disk, so a failure leaves what was there before and
// nothing half-written. Raises Error with unsavedMessage's words.
//   saveWhole("/home/u/BM1-BM2.csv", csv) -> the file holds exactly csv
//   saveWhole("/usr/BM1-BM2.csv", csv) -> Error
//   "无法保存“/usr/BM1-BM2.csv”：文件夹“/usr”不允许写入，请换一个文件夹。"
void saveWhole(const QString& fileName, std::string_view bytes);

// Why `fileName` was not saved, in plain words, from the errno of what failed (-1 where none
// was given); a path that names a folder is told as such whatever the errno.
//   unsavedMessage("/full/a.pdf", ENOSPC) ->
//   "无法保存“/full/a.pdf”：磁盘已满，文件没有保存。请腾出一些磁盘空间后再保存。"
//   unsavedMessage("/home/u", EISDIR) -> "无法保存“/home/u”：这是一个文件夹，请换一个文件名。"
std::string unsavedMessage(const QString& fileName, int failure);

// The first `most` bytes of `fileName`, and one more where the file is longer, so that a caller
// can tell a file over its limit without reading it all. Raises Error naming the file and saying
// in plain words why it cannot be read:
//   readUpTo("/home/u/route.csv", 8 << 20) -> the file's bytes
//   readUpTo("/home/u/gone.csv", 8 << 20) -> Error "无法读入“/home/u/gone.csv”：文件不存在。"
std::string readUpTo(const QString& fileName, std::size_t most);

} // namespace velmora
