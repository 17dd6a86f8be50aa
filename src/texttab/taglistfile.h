#ifndef TAGLISTFILE_H
#define TAGLISTFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "form/textfile.h"

#include <optional>

// The tag list file "MorvEditTagList.txt" behind the first tab's tag list:
// one TAG:PROMPT item per line. The user may edit the file in a text editor
// while the tool runs, so the file object remembers what it last read or
// wrote, and closing the tool writes the list only when that does not lose
// anybody's edits.
class TagListFile
{
public:
    enum class CloseResult {
        LeftUntouched,      // neither the list changed nor was the file missing
        Written,            // the list was written
        WrittenWithBackup,  // both had changed: the file's text went to ".bak" first
        Failed              // see errorString()
    };

    // A few hundred TAG:PROMPT items at the most.
    static constexpr TextFile::ReadLimits Limits{256 * 1024, 4096};

    explicit TagListFile(const QString &path);

    QString path() const { return m_path; }
    QString backupPath() const { return m_path + QLatin1String(".bak"); }
    bool exists() const;

    // Reading at start: every line, blank ones included.
    TextFile::ReadResult readAll();

    // Reading on the user's request: the lines that are not blank, each
    // exactly as in the file.
    TextFile::ReadResult reloadNonBlank();

    // Saving at close. The file is written when it does not exist, or when
    // currentItems differ from the list last read or written (in any order:
    // the list shows the items sorted). When the file on disk changed too
    // since then, or the tool could not read it whole (too large, not text,
    // lines left out), its previous text is kept as ".bak" before it is
    // replaced; when that copy cannot be made, the file stays. Otherwise
    // the file stays as it is, so edits made in a text editor and not
    // reloaded survive.
    CloseResult saveAtClose(const QStringList &currentItems);

    QString errorString() const { return m_errorString; }

private:
    // Remembers the items the tool got from the file, or wrote into it,
    // the file's bytes at that moment and whether it took all of them.
    void remember(const QStringList &items, const QByteArray &fileBytes, bool whole);
    TextFile::ReadResult readAndRemember(bool nonBlankOnly);
    bool listChangedSinceSync(const QStringList &currentItems) const;

    QString m_path;
    std::optional<QStringList> m_syncedItems;
    std::optional<QByteArray> m_syncedBytes;
    bool m_syncedWhole = true;
    QString m_errorString;
};

#endif // TAGLISTFILE_H
