#pragma once

// The gutter beside a LineEditor that shows the line numbers. It only sizes
// and paints itself; the editor places it and tells it when to repaint.

#include <QWidget>

class LineEditor;

class LineNumberArea : public QWidget
{
    Q_OBJECT

public:
    explicit LineNumberArea(LineEditor *editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LineEditor *m_editor;
};
