#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// Makes a folder refuse new entries, also for root (who ignores permission
// bits) by setting the immutable attribute. Undone on destruction.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : path_(path.toStdString())
    {
        if (::geteuid() != 0) {
            ok_ = ::chmod(path_.c_str(), 0555) == 0;
            return;
        }
        const int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            ok_ = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
            immutable_ = ok_;
        }
        if (fd >= 0)
            ::close(fd);
    }
    ~ReadOnlyFolder()
    {
        if (!immutable_) {
            ::chmod(path_.c_str(), 0755);
            return;
        }
        const int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    }
    bool Ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
    bool immutable_ = false;
};

} // namespace testing_support
