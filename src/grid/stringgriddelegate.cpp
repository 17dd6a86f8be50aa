#include "grid/stringgriddelegate.h"

#include "grid/stringgrid.h"
#include "grid/stringgridmodel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {
// The text the cell had when its editor opened, so that Escape can put it
// back after the editor has been writing into the cell as the user typed.
const char *const OriginalTextProperty = "morvexOriginalText";
}

StringGridDelegate::StringGridDelegate(StringGrid *grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{
}

void StringGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const StringGrid::DrawCellHook &hook = m_grid->drawCellHook();
    if (!hook)
        return;
    QStyleOptionViewItem cellOption = option;
    initStyleOption(&cellOption, index);
    painter->save();
    hook(painter, cellOption, m_grid->gridModel()->gridCol(index), m_grid->gridModel()->gridRow(index));
    painter->restore();
}

QWidget *StringGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                          const QModelIndex &index) const
{
    const int col = m_grid->gridModel()->gridCol(index);
    const int row = m_grid->gridModel()->gridRow(index);
    // Before the editor takes the text: the owner may save the old text.
    emit m_grid->getEditText(col, row);

    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setProperty(OriginalTextProperty, m_grid->cellText(col, row));
    // The cell follows the editor as the user types, so that the grid's
    // owner always reads what the cell shows (e.g. when Enter writes it on).
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, m_grid, [this, cell](const QString &text) {
        if (cell.isValid())
            m_grid->setCellText(m_grid->gridModel()->gridCol(cell), m_grid->gridModel()->gridRow(cell), text);
    });
    return editor;
}

void StringGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *lineEdit = static_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // Re-setting the same text would move the caret to the end while typing.
    if (lineEdit->text() != text)
        lineEdit->setText(text);
}

void StringGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                      const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

bool StringGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !m_grid->isForwardingKeyToEditor()) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (m_grid->runKeyDownHook(keyEvent->key(), keyEvent->modifiers()))
            return true;
        if (keyEvent->key() == Qt::Key_Escape) {
            auto *editor = qobject_cast<QLineEdit *>(object);
            const QModelIndex cell = m_grid->currentIndex();
            if (editor && cell.isValid()) {
                editor->setText(editor->property(OriginalTextProperty).toString());
                m_grid->setCellText(m_grid->gridModel()->gridCol(cell), m_grid->gridModel()->gridRow(cell),
                                    editor->text());
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
