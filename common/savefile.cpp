#include "savefile.h"

#include <QSaveFile>

bool openSaveFile(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool commitSaveFile(QSaveFile &file)
{
    return file.error() == QFileDevice::NoError && file.commit();
}

bool saveWholeFile(const QString &path, const void *data, qint64 size)
{
    QSaveFile file(path);
    if (!openSaveFile(file))
        return false;
    if (file.write(static_cast<const char *>(data), size) != size || !commitSaveFile(file)) {
        file.cancelWriting();
        return false;
    }
    return true;
}
