// The stand-in's DXF reading: the file layer (groups, sections, objects,
// code page, handles), the typed view over it, and an unchanged save.

#include "dxf/dxfdrawingreader.h"
#include "dxf/dxferror.h"
#include "dxf/dxffile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const DxfFile file = DxfFile::fromBytes(bytes);
        // A file that reading did not change saves byte for byte as it came.
        if (!file.isModified() && file.toBytes() != bytes)
            std::abort();
        DxfDrawingReader reader(file);
        (void)reader.read();
    } catch (const DxfError &) {
        // A clear refusal is what a damaged file may get.
    }
    return 0;
}
