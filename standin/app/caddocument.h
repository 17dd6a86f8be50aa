#pragma once
// One drawing open in the stand-in: the DXF file as read, the in-memory
// drawing the automation model works on, and saving the drawing back to the
// file. Nothing is written unless save() is called.

#include "drawingloader.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace standin {

class CadDocument
{
public:
    // Reads the file; throws DxfError with a message naming the problem.
    // `codePage`, when given ("ANSI_932"), is the code page of a drawing
    // before R2007 whatever the file says.
    static std::unique_ptr<CadDocument> open(const QString &path, const QByteArray &codePage = QByteArray());

    QString filePath() const { return m_path; }
    QString fileName() const;
    // What reading decided or repaired (an unknown code page, renumbered
    // handles), one line each.
    QStringList readNotes() const { return m_file.readNotes(); }
    int renumberedHandleCount() const { return int(m_file.renumberedHandles().size()); }
    // The code page the texts are read and saved in ("ANSI_932"), when
    // the drawing did not declare it: decided from its texts, or given.
    // Empty for a declared code page and for UTF-8.
    QString undeclaredCodePage() const;
    DxfFile::CodePageSource codePageSource() const { return m_file.codePageSource(); }
    const std::shared_ptr<cad::MemoryDrawing> &drawing() const { return m_drawing; }
    // The base point of a block definition (the origin when unknown).
    DxfPoint blockBasePoint(const std::u16string &blockName) const;

    // The file's bytes with what the drawing holds now.
    QByteArray toBytes() const;
    // Writes the drawing to its file (atomically); throws DxfError. Returns
    // notes on changes the file cannot take.
    QStringList save();
    // The same, to another file; the document keeps its own path.
    QStringList saveTo(const QString &path) const;

private:
    CadDocument(const QString &path, DxfFile file);
    DxfFile withChanges(QStringList *notes) const;

    QString m_path;
    DxfFile m_file;     // as read: every save starts from it
    std::shared_ptr<cad::MemoryDrawing> m_drawing;
    LoadedDrawing m_loaded;
};

} // namespace standin
