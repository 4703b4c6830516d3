#include "printing/user_file.h"

#include "core/errors.h"
#include "platform/file_system.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace velmora {

std::string unsavedMessage(const QString& fileName, int failure) {
    const QFileInfo file(fileName);
    const std::string unsaved = "无法保存“" + file.absoluteFilePath().toStdString() + "”：";
    const std::string folder = "文件夹“" + file.absolutePath().toStdString() + "”";
    if (file.isDir())
        return unsaved + "这是一个文件夹，请换一个文件名。";
    switch (failure) {
    case EACCES:
    case EPERM:
        return unsaved + folder + "不允许写入，请换一个文件夹。";
    case EROFS:
        return unsaved + folder + "在只读的磁盘上，请换一个文件夹。";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return unsaved + "磁盘已满，文件没有保存。请腾出一些磁盘空间后再保存。";
    case ENOENT:
    case ENOTDIR:
        return unsaved + folder + "不存在。";
    case ENAMETOOLONG:
        return unsaved + "文件名太长，请换一个短一些的。";
    default:
        return unsaved + "文件没能写完，没有保存。";
    }
}

void saveWhole(const QString& fileName, std::string_view bytes) {
    QSaveFile file(fileName);
    forgetFileFailure();
    const auto fail = [&] {
        const int failure = lastFileFailure() != 0 ? lastFileFailure() : -1;
        file.cancelWriting();
        throw Error(unsavedMessage(fileName, failure));
    };
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush() || !flushToDisk(file.handle()))
        fail();
    if (!file.commit())
        fail();
}

std::string readUpTo(const QString& fileName, std::size_t most) {
    const QFileInfo info(fileName);
    const std::string unread = "无法读入“" + info.absoluteFilePath().toStdString() + "”：";
    if (info.isDir())
        throw Error(unread + "这是一个文件夹，请选一个表格文件。");
    QFile file(fileName);
    forgetFileFailure();
    if (!file.open(QIODevice::ReadOnly)) {
        switch (lastFileFailure()) {
        case ENOENT:
            throw Error(unread + "文件不存在。");
        case EACCES:
        case EPERM:
            throw Error(unread + "没有读这个文件的权限。");
        default:
            throw Error(unread + "文件打不开。");
        }
    }
    const QByteArray bytes = file.read(static_cast<qint64>(most) + 1);
    if (file.error() != QFileDevice::NoError)
        throw Error(unread + "文件没能读完。");
    return bytes.toStdString();
}

} // namespace velmora
