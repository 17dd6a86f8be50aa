#pragma once
// The drawing the search benchmarks search: TEXTs of twenty characters
// spread over ten layers, one of them locked, with many equal strings.

#include "cad/memory/memorydrawing.h"

#include <QString>

inline void addSearchTexts(cad::MemoryDrawing &drawing, int count)
{
    for (int layer = 0; layer < 10; ++layer)
        drawing.addLayer(QStringLiteral("LAYER-%1").arg(layer).toStdU16String(), layer == 3);
    for (int i = 0; i < count; ++i) {
        const QString text = QStringLiteral("盤-%1 ﾃｽﾄ TEXT %2").arg(i % 5000, 5, 10, QLatin1Char('0')).arg(i % 7);
        drawing.addText(text.toStdU16String(), {double(i % 300), double(i / 300), 0},
                        QStringLiteral("LAYER-%1").arg(i % 10).toStdU16String());
    }
}
