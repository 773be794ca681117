#pragma once

#include <QFile>

namespace testing_support {

// What the system says of a file whose folder does not exist.
inline QString NoSuchFolder()
{
#ifdef _WIN32
    return qt_error_string(3); // ERROR_PATH_NOT_FOUND
#else
    return QStringLiteral("No such file or directory");
#endif
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
}

inline void WriteAll(const QString& path, const QByteArray& bytes)
{
    if (QFile file(path); file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The bytes of a document of the five header lines and the given blocks.
inline QByteArray DocumentWith(const QByteArray& blocks = {})
{
    return "; Ravelock Auto-Generated INI File\r\n"
           "; Regions marked on a Targa texture, one MappedImage block each.\r\n"
           "; Coordinates are pixels from the texture's top-left corner.\r\n"
           "; Made with Ravelock, the texture region mapper.\r\n"
           " \r\n" +
           blocks;
}

} // namespace testing_support
