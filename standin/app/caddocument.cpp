#include "caddocument.h"

#include "drawingsaver.h"

#include "cad/remote/variantcodec.h"

#include <QFileInfo>

namespace standin {

std::unique_ptr<CadDocument> CadDocument::open(const QString &path, const QByteArray &codePage)
{
    return std::unique_ptr<CadDocument>(new CadDocument(path, DxfFile::read(path, codePage)));
}

CadDocument::CadDocument(const QString &path, DxfFile file)
    : m_path(path)
    , m_file(std::move(file))
    , m_drawing(cad::MemoryDrawing::create())
{
    // The stand-in serves its drawing as long as it runs: no call log.
    m_drawing->setCallLogKept(false);
    m_loaded = DrawingLoader::load(m_file, *m_drawing);
}

QString CadDocument::fileName() const
{
    return QFileInfo(m_path).fileName();
}

QString CadDocument::undeclaredCodePage() const
{
    const DxfFile::CodePageSource source = m_file.codePageSource();
    if (source != DxfFile::CodePageSource::Detected && source != DxfFile::CodePageSource::Given)
        return QString();
    return QString::fromLatin1(m_file.codec().codePage());
}

DxfPoint CadDocument::blockBasePoint(const std::u16string &blockName) const
{
    const auto it = m_loaded.blockBasePoints.find(cad::remote::toQString(blockName).toUpper());
    return it == m_loaded.blockBasePoints.end() ? DxfPoint{} : it->second;
}

DxfFile CadDocument::withChanges(QStringList *notes) const
{
    DxfFile file = m_file;
    const QStringList found = DrawingSaver::apply(*m_drawing, m_loaded, file);
    if (notes)
        *notes = found;
    // The handles the file gave a copy's SEQEND or VERTEXes are taken now.
    m_drawing->reserveHandlesBelow(file.nextHandle());
    return file;
}

QByteArray CadDocument::toBytes() const
{
    return withChanges(nullptr).toBytes();
}

QStringList CadDocument::save()
{
    return saveTo(m_path);
}

QStringList CadDocument::saveTo(const QString &path) const
{
    QStringList notes;
    withChanges(&notes).save(path);
    return notes;
}

} // namespace standin
