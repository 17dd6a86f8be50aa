#pragma once
// The attribute grid over 5,000 block references of eight tags each.

#include "support/benchform.h"

#include "attrtab/tattrtab.h"

#include <QComboBox>
#include <QString>

#include <vector>

constexpr int GridBlockReferences = 5000;
constexpr int GridTags = 8;

inline std::u16string gridTag(int t)
{
    return QStringLiteral("TAG%1").arg(t + 1).toStdU16String();
}

// The block "EQ" with its eight attribute definitions, `count` references
// of it in a grid of places, and the tag set of the eight tags chosen.
inline std::vector<cad::Handle> addEquipment(BenchForm &ui, int count)
{
    ui.drawing->addBlock(u"EQ");
    QString tagSet = QStringLiteral("機器");
    for (int t = 0; t < GridTags; ++t) {
        ui.drawing->addAttributeDefinition(u"EQ", gridTag(t), QStringLiteral("項目%1").arg(t + 1).toStdU16String());
        tagSet += u',' + QString::fromStdU16String(gridTag(t));
    }
    std::vector<cad::Handle> refs;
    refs.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        std::vector<std::pair<std::u16string, std::u16string>> attributes;
        for (int t = 0; t < GridTags; ++t)
            attributes.emplace_back(gridTag(t), QStringLiteral("値%1-%2").arg(i).arg(t).toStdU16String());
        refs.push_back(ui.drawing->addBlockReference(u"EQ", {double(i % 70) * 20, -double(i / 70) * 20, 0}, attributes));
    }
    TAttrTab &tab = *ui.form().TabSheet2;
    tab.ComboBox2->clear();
    tab.ComboBox2->addItem(tagSet);
    tab.ComboBox2->setCurrentIndex(0);
    return refs;
}
