#include "socketdirectory.h"

#include "variantcodec.h"

#include "cad/caderror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace cad::remote {

namespace {

// Leaves room in a Unix socket path (at most 107 bytes) for the folder.
constexpr qsizetype MaxReadablePart = 40;

QString baseDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/morvex");
    return QStringLiteral("/tmp/morvex-%1").arg(::getuid());
}

[[noreturn]] void unusable(const QString &path)
{
    throw CadError(u"CAD の接続用フォルダーを使えません: " + fromQString(path));
}

} // namespace

QString socketDirectory()
{
    const QString path = baseDirectory();
    QFileInfo info(path);
    if (!info.exists()) {
        // mkdir with 0700 from the start: no moment in which others may enter.
        QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        info.refresh();
    }
    if (!info.isDir() || info.isSymLink() || info.ownerId() != ::getuid())
        unusable(path);
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
        | QFile::WriteUser | QFile::ExeUser;
    if ((info.permissions() & ~ownerOnly) != 0 && !QFile::setPermissions(path, ownerOnly))
        unusable(path);
    return path;
}

QString socketNameForProgId(const std::u16string &progId)
{
    QString folded = toQString(progId);
    for (QChar &c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    QString readable;
    for (QChar c : folded) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'.' || c == u'-'
            || c == u'_';
        readable += plain ? c : QChar(u'_');
    }
    readable.truncate(MaxReadablePart);
    const QByteArray hash = QCryptographicHash::hash(folded.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return readable + u'-' + QString::fromLatin1(hash) + QStringLiteral(".sock");
}

QString socketPathForProgId(const std::u16string &progId)
{
    return socketDirectory() + u'/' + socketNameForProgId(progId);
}

} // namespace cad::remote
