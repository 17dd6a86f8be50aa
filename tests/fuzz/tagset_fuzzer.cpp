// The tag-set lines of "MorvEdit2ATagList.txt": the quoted list splitter and
// the reading of a ComboBox2 item.

#include "attrtab/tagset.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList parts = splitQuotedList(line, QLatin1Char(','));
    // Every element comes from the line: together they are never longer.
    qsizetype total = 0;
    for (const QString &part : parts)
        total += part.size();
    if (total > line.size())
        std::abort();
    (void)readTagSet(line);
    return 0;
}
