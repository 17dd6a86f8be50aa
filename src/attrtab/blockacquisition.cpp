#include "blockacquisition.h"

#include "attributeprompt.h"
#include "blocksort.h"
#include "gridcells.h"

#include "form/progressrepaint.h"
#include "form/qstrings.h"
#include "grid/stringgrid.h"

#include "cad/caderror.h"
#include "cad/connection.h"

#include <QLabel>
#include <QProgressBar>

#include <optional>

namespace {

constexpr int WaitAfterPickMs = 500;

void showText(QLabel *label, const QString &text)
{
    static ProgressRepaint repaint;
    label->setText(text);
    repaint(label);
}

void stepProgress(QProgressBar *bar)
{
    static ProgressRepaint repaint;
    bar->setValue(bar->value() + 1);
    repaint(bar);
}

void startProgress(QProgressBar *bar, int maximum)
{
    bar->setRange(0, maximum);
    bar->setValue(0);
}

// The grid column (1 .. k) of the first tag equal to tag, or 0.
int columnOfTag(const std::vector<std::u16string> &tags, const std::u16string &tag)
{
    for (size_t c = 0; c < tags.size(); ++c) {
        if (tags[c] == tag)
            return int(c) + 1;
    }
    return 0;
}

bool carriesTagOfSet(const cad::BlockReference &ref, const std::vector<std::u16string> &tags)
{
    if (!ref.hasAttributes())
        return false;
    for (const cad::Attribute &attribute : ref.getAttributes()) {
        if (columnOfTag(tags, attribute.tagString()) > 0)
            return true;
    }
    return false;
}

// First pass: the block references that carry at least one tag of the set.
// A "中止" leaves no block reference at all, and so does a lost link.
void takeQualifyingBlocks(BlockAcquisitionRun &run, const cad::SelectionSet &set, int n,
                          const std::vector<std::u16string> &tags, std::u16string &lostLink)
{
    for (int i = 0; i < n; ++i) {
        if (!run.keepRunning()) {
            run.blocks.clear();
            return;
        }
        stepProgress(run.progressBar);
        showText(run.label, QStringLiteral("INSERT = %1 / %2").arg(i + 1).arg(n));
        try {
            const cad::BlockReference ref(set.item(i));
            if (!carriesTagOfSet(ref, tags))
                continue;
            nBlk block;
            block.lay = qs(ref.layer());
            block.insPt = ref.insertionPoint();
            block.sHnd = qs(ref.handle());
            block.blkName = qs(ref.name());
            run.blocks.push_back(block);
        } catch (const cad::CadError &e) {
            if (e.linkLost()) {
                lostLink = e.message();
                run.blocks.clear();
                return;
            }
            // This entity is skipped; the others are still taken.
        }
    }
}

// The attributes of one block reference into grid row `row`.
void fillRow(BlockAcquisitionRun &run, const cad::BlockReference &ref, const std::vector<cad::Attribute> &attributes,
             int row, const std::vector<std::u16string> &tags)
{
    StringGrid *grid = run.grid;
    for (const cad::Attribute &attribute : attributes) {
        const int col = columnOfTag(tags, attribute.tagString());
        if (col == 0)
            continue;
        nAtt rec;
        rec.text = qs(attribute.textString());
        rec.insPt = attribute.insertionPoint();
        rec.lay = qs(attribute.layer());
        rec.sHnd = qs(attribute.handle());
        run.attributes.push_back(rec);
        grid->setCellText(col, row, rec.text);
        grid->setCellObject(col, row, int(run.attributes.size()));
        if (grid->cellText(col, 0).isEmpty())
            grid->setCellText(col, 0, qs(FindAttributePrompt(run.doc, ref.name(), tags[size_t(col - 1)])));
    }
}

// Second pass: one row per block reference taken. A "中止" keeps the rows
// filled so far. A block reference that cannot be reached again ends the
// pass there, and so does a lost link; the grid stays usable.
void fillRows(BlockAcquisitionRun &run, int picked, const std::vector<std::u16string> &tags,
              std::u16string &lostLink)
{
    const int m = int(run.blocks.size());
    for (int r = 0; r < m; ++r) {
        if (!run.keepRunning())
            return;
        stepProgress(run.progressBar);
        showText(run.label, QStringLiteral("ATTR = %1 / %2").arg(r + 1).arg(picked));
        run.grid->setCellText(0, r + 1, QString::number(r + 1));

        std::optional<cad::BlockReference> ref;
        std::vector<cad::Attribute> attributes;
        try {
            ref.emplace(run.doc.handleToObject(us(run.blocks[size_t(r)].sHnd)));
            if (ref->hasAttributes())
                attributes = ref->getAttributes();
        } catch (const cad::CadError &e) {
            if (e.linkLost())
                lostLink = e.message();
            return;
        }
        try {
            fillRow(run, *ref, attributes, r + 1, tags);
        } catch (const cad::CadError &e) {
            if (e.linkLost()) {
                lostLink = e.message();
                return;
            }
            // The rest of this block reference is skipped.
        }
    }
}

// Holds a widget's repainting while the grid is filled.
class RepaintHold
{
public:
    explicit RepaintHold(QWidget *widget) : m_widget(widget) { m_widget->setUpdatesEnabled(false); }
    ~RepaintHold() { m_widget->setUpdatesEnabled(true); }
    RepaintHold(const RepaintHold &) = delete;
    RepaintHold &operator=(const RepaintHold &) = delete;

private:
    QWidget *m_widget;
};

} // namespace

cad::SelectionFilter blockSelectionFilter(const TagSet &tagSet)
{
    cad::SelectionFilter filter;
    filter.add(0, u"INSERT");
    filter.add(2, us(tagSet.blockFilter));
    return filter;
}

BlockAcquisitionResult acquireBlocks(BlockAcquisitionRun &run)
{
    BlockAcquisitionResult result;
    std::vector<std::u16string> tags;
    for (const QString &tag : run.tagSet.tags)
        tags.push_back(us(tag));

    cad::TempSelectionSet temp(run.doc);
    const cad::SelectionSet &set = temp.set();
    set.clear();
    try {
        set.selectOnScreen(blockSelectionFilter(run.tagSet));
    } catch (const cad::CadError &e) {
        if (e.linkLost())
            throw;
        // A cancelled pick: the set holds what was picked, if anything.
    }
    run.windows.sleep(WaitAfterPickMs);
    const int n = set.count();
    result.picked = n;
    run.showMainWindowNormal();
    showText(run.label, QStringLiteral("INSERT = %1").arg(n));
    if (n <= 0)
        return result;

    startProgress(run.progressBar, n);
    run.blocks.clear();
    run.attributes.clear();
    takeQualifyingBlocks(run, set, n, tags, result.lostLink);

    SortBlocksByPosition(run.blocks);
    const int m = int(run.blocks.size());
    StringGrid *grid = run.grid;
    ClearGridCells(grid);
    {
        RepaintHold hold(grid);
        if (m >= 1) {
            grid->setRowCount(m + 1);
            startProgress(run.progressBar, m);
        } else {
            grid->setRowCount(2);
        }
        grid->setColCount(int(tags.size()) + 1);
        fillRows(run, n, tags, result.lostLink);
    }
    FitGridColumns(grid, 10);
    result.filled = true;
    return result;
}
