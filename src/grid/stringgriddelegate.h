#pragma once

#include <QStyledItemDelegate>

class StringGrid;

// Draws and edits the data cells of a StringGrid: the default drawing
// followed by the grid's owner-drawing hook, and a plain line editor as the
// in-place editor, whose keys go through the grid's key-down hook first.
class StringGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit StringGridDelegate(StringGrid *grid);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    StringGrid *m_grid;
};
