#include "ezdxfreader.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace standintest {

namespace {

const char *const Python = "/usr/bin/python3";

QStringList dxfFilesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".dxf"), Qt::CaseInsensitive))
            files.append(path);
    }
    files.sort();
    return files;
}

} // namespace

bool ezdxfAvailable()
{
    static const bool available = [] {
        QProcess process;
        process.start(QString::fromLatin1(Python), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }();
    return available;
}

QJsonObject ezdxfDump(const QString &path)
{
    QProcess process;
    // The handles ezdxf gives the objects it makes itself follow the hash seed.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PYTHONHASHSEED"), QStringLiteral("0"));
    process.setProcessEnvironment(environment);
    process.start(QString::fromLatin1(Python), {QStringLiteral(MORVEX_DXFDUMP_SCRIPT), path});
    if (!process.waitForFinished(240000) || process.exitCode() != 0) {
        ADD_FAILURE() << "ezdxf could not read " << path.toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

QHash<QString, QJsonObject> ezdxfEntitiesByHandle(const QJsonObject &dump)
{
    QHash<QString, QJsonObject> entities;
    for (const QJsonValue &value : dump.value(QStringLiteral("entities")).toArray()) {
        const QJsonObject entity = value.toObject();
        if (!entity.value(QStringLiteral("in_file")).toBool())
            continue;
        const QString handle = entity.value(QStringLiteral("handle")).toString();
        if (entities.contains(handle)) {
            ADD_FAILURE() << "handle " << handle.toStdString() << " twice";
            continue;
        }
        entities.insert(handle, entity);
    }
    return entities;
}

QStringList corpusDrawings(QString *skipReason)
{
    QStringList drawings;
    QStringList notes;
    const QString shared = qEnvironmentVariable("MORVEX_SHARED_DRAWINGS");
    if (shared.isEmpty() || !QFileInfo(shared).isDir())
        notes << QStringLiteral("the shared drawings (MORVEX_SHARED_DRAWINGS=\"%1\") are absent").arg(shared);
    else
        drawings += dxfFilesUnder(shared);
    const QString more = qEnvironmentVariable("MORVEX_DRAWINGS");
    if (more.isEmpty())
        notes << QStringLiteral("MORVEX_DRAWINGS is not set");
    for (const QString &folder : more.split(u':', Qt::SkipEmptyParts))
        drawings += dxfFilesUnder(folder);
    *skipReason = notes.join(QStringLiteral("; "));
    return drawings;
}

} // namespace standintest
