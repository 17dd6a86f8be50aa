#include "settingsfile.h"

#include "form/textfile.h"

#include <QHash>
#include <QStringList>

#include <variant>

namespace SettingsFile {

namespace {

const QString MorvEditSection = QStringLiteral("MorvEdit");
const QString TargetSection = QStringLiteral("Target");

// One key of the file and the member of MorvSettings behind it. The table
// below gives the order in which keys are read and written.
struct Key
{
    const QString *section;
    const char *name;
    std::variant<std::optional<int> MorvSettings::*, int MorvSettings::*,
                 bool MorvSettings::*, QString MorvSettings::*> member;
};

const Key Keys[] = {
    { &MorvEditSection, "Left", &MorvSettings::left },
    { &MorvEditSection, "Top", &MorvSettings::top },
    { &TargetSection, "ProgID", &MorvSettings::progId },
    { &MorvEditSection, "Sort", &MorvSettings::sort },
    { &MorvEditSection, "AttTag", &MorvSettings::attTag },
    { &MorvEditSection, "AttTagIndex2", &MorvSettings::attTagIndex2 },
    { &MorvEditSection, "Cursor", &MorvSettings::cursor },
    { &MorvEditSection, "AttTagIndex1", &MorvSettings::attTagIndex1 },
    { &MorvEditSection, "Sentou", &MorvSettings::sentou },
    { &MorvEditSection, "UpperCase", &MorvSettings::upperCase },
    { &MorvEditSection, "Enter", &MorvSettings::enter },
    { &MorvEditSection, "ZoomCenter", &MorvSettings::zoomCenter },
    { &MorvEditSection, "AttEnter", &MorvSettings::attEnter },
    { &MorvEditSection, "AttEnterDown", &MorvSettings::attEnterDown },
    { &MorvEditSection, "ZoomCenter2", &MorvSettings::zoomCenter2 },
    { &MorvEditSection, "ZenHanSame", &MorvSettings::zenHanSame },
    { &MorvEditSection, "SearchAttributes", &MorvSettings::searchAttributes },
};

QString lookupName(const QString &section, const QString &key)
{
    return section.toCaseFolded() + u'\n' + key.toCaseFolded();
}

// The values of the file by section and key (case-folded). Blanks around
// names and values are dropped, as Windows drops them; the first of
// repeated keys counts.
QHash<QString, QString> parse(const QStringList &lines)
{
    QHash<QString, QString> values;
    QString section;
    bool inSection = false;
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close < 0)
                continue;
            section = line.mid(1, close - 1).trimmed();
            inSection = true;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inSection || equals < 0)
            continue;
        const QString name = lookupName(section, line.left(equals).trimmed());
        if (!values.contains(name))
            values.insert(name, line.mid(equals + 1).trimmed());
    }
    return values;
}

std::optional<int> toInteger(const QString &value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

MorvSettings fromLines(const QStringList &lines)
{
    const QHash<QString, QString> values = parse(lines);
    MorvSettings settings;
    for (const Key &key : Keys) {
        const auto found = values.constFind(lookupName(*key.section, QLatin1String(key.name)));
        if (found == values.constEnd())
            continue;
        const QString &value = found.value();
        std::visit([&](auto member) {
            using Value = std::remove_reference_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Value, QString>) {
                settings.*member = value;
            } else if (const std::optional<int> number = toInteger(value)) {
                if constexpr (std::is_same_v<Value, bool>)
                    settings.*member = *number != 0;
                else
                    settings.*member = *number;
            }
        }, key.member);
    }
    return settings;
}

namespace {

QString valueText(const MorvSettings &settings, const Key &key)
{
    const QString value = std::visit([&](auto member) -> QString {
        const auto &stored = settings.*member;
        using Value = std::remove_cvref_t<decltype(stored)>;
        if constexpr (std::is_same_v<Value, QString>)
            return stored;
        else if constexpr (std::is_same_v<Value, bool>)
            return stored ? QStringLiteral("1") : QStringLiteral("0");
        else if constexpr (std::is_same_v<Value, int>)
            return QString::number(stored);
        else
            return stored ? QString::number(*stored) : QString();
    }, key.member);
    // A line break inside a value would end it early and start a stray
    // line: keep the value on its line.
    QString oneLine = value;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    return oneLine;
}

// The name of the section a line opens, or nothing.
std::optional<QString> sectionOf(const QString &rawLine)
{
    const QString line = rawLine.trimmed();
    if (!line.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = line.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return line.mid(1, close - 1).trimmed();
}

// The key name of a key=value line, or nothing (comments, blank lines).
std::optional<QString> keyOf(const QString &rawLine)
{
    const QString line = rawLine.trimmed();
    const qsizetype equals = line.indexOf(u'=');
    if (line.isEmpty() || line.startsWith(u';') || equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

// Sets one key as WritePrivateProfileString does: its first line in the
// first block of its section takes the value (the name as it stands);
// a missing key joins that block after its last key, a missing section
// comes at the end.
void setKey(QStringList &lines, const QString &section, const QString &key, const QString &value)
{
    const QString wantedSection = section.toCaseFolded();
    const QString wantedKey = key.toCaseFolded();
    qsizetype header = -1;
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<QString> name = sectionOf(lines[i])) {
            if (header >= 0)
                break; // the end of the section's first block
            if (name->toCaseFolded() == wantedSection) {
                header = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (header < 0)
            continue;
        if (const std::optional<QString> name = keyOf(lines[i])) {
            if (name->toCaseFolded() == wantedKey) {
                lines[i] = *name + u'=' + value;
                return;
            }
            insertAt = i + 1;
        }
    }
    if (header < 0) {
        lines.append(u'[' + section + u']');
        insertAt = lines.size();
    }
    lines.insert(insertAt, key + u'=' + value);
}

} // namespace

QStringList mergeLines(const QStringList &existing, const MorvSettings &settings)
{
    QStringList lines = existing;
    for (const Key &key : Keys)
        setKey(lines, *key.section, QLatin1String(key.name), valueText(settings, key));
    return lines;
}

QStringList toLines(const MorvSettings &settings)
{
    return mergeLines({}, settings);
}

MorvSettings read(const QString &path, TextFile::ReadResult *file)
{
    const TextFile::ReadResult read = TextFile::readFile(path, Limits);
    if (file)
        *file = read;
    return fromLines(read.lines);
}

bool write(const QString &path, const MorvSettings &settings, QString *errorString)
{
    // What the file holds besides the tool's keys stays as it stood.
    const TextFile::ReadResult existing = TextFile::readFile(path, Limits);
    if (!TextFile::keepUnreadFile(path, existing, errorString))
        return false;
    return TextFile::writeLines(path, mergeLines(existing.lines, settings), errorString);
}

QPoint centredPosition(const QSize &screenSize, const QSize &windowSize)
{
    return QPoint((screenSize.width() - windowSize.width()) / 2,
                  (screenSize.height() - windowSize.height()) / 2);
}

} // namespace SettingsFile

namespace SettingsFile {

QPoint windowStartPosition(const MorvSettings &settings, const QSize &windowSize,
                           const QList<QRect> &screens, const QRect &primaryScreen)
{
    const QPoint centred =
            primaryScreen.topLeft() + centredPosition(primaryScreen.size(), windowSize);
    const QRect window(QPoint(settings.left.value_or(centred.x()),
                              settings.top.value_or(centred.y())),
                       windowSize);
    for (const QRect &screen : screens) {
        if (screen.intersects(window))
            return window.topLeft();
    }
    return centred;
}

} // namespace SettingsFile
