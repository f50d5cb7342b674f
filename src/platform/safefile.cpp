#include "platform/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace safefile {

namespace {

const QFileDevice::Permissions OWNER_ONLY = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// QSaveFile would follow a link and replace its target: someone else may have
// planted the link, so a link is never written through.
bool isLink(const QString &path) { return QFileInfo(path).isSymLink(); }

} // namespace

std::optional<std::string> readAll(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return std::string();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool writeAll(const QString &path, const std::string &bytes, const BeforeRename &beforeRename, Owner owner)
{
    const bool program = owner == Owner::Program;
    if (program && isLink(path))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Every return before commit() discards the new file. The link check is
    // repeated now that the save file has settled on its target.
    if (program && (isLink(path) || !file.setPermissions(OWNER_ONLY)))
        return false;
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size)
        return false;
    if (beforeRename && !beforeRename())
        return false;
    return file.commit();
}

} // namespace safefile
