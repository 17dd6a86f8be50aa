#include "cadwindow.h"

#include "caddocument.h"
#include "drawingview.h"

#include "dxf/dxferror.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

namespace standin {

namespace {

constexpr int FollowIntervalMs = 150;
constexpr int StatusMessageMs = 4000;

} // namespace

CadWindow::CadWindow(CadDocument &document, QWidget *parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_view(new DrawingView(document, this))
    , m_prompt(new QLabel(this))
    , m_followTimer(new QTimer(this))
{
    setWindowTitle(document.fileName());
    setCentralWidget(m_view);
    statusBar()->addWidget(m_prompt, 1);
    showReadingFacts();

    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    QAction *saveAction = fileMenu->addAction(QStringLiteral("上書き保存(&S)"), this, &CadWindow::saveFromMenu);
    saveAction->setShortcut(QKeySequence::Save);
    fileMenu->addSeparator();
    fileMenu->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);

    QMenu *editMenu = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    QAction *undoAction = editMenu->addAction(QStringLiteral("元に戻す(&U)"), this, [this] {
        if (!undo())
            statusBar()->showMessage(QStringLiteral("元に戻す操作はありません。"), StatusMessageMs);
    });
    undoAction->setShortcut(QKeySequence::Undo);

    QMenu *viewMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    QAction *extentsAction = viewMenu->addAction(QStringLiteral("オブジェクト範囲ズーム(&E)"), m_view,
                                                 &DrawingView::zoomExtents);
    extentsAction->setShortcut(QKeySequence(Qt::Key_Home));

    connect(m_view, &DrawingView::promptChanged, this, &CadWindow::showPrompt);
    showPrompt(QString());

    m_seen = drawingState();
    connect(m_followTimer, &QTimer::timeout, this, &CadWindow::followDrawing);
    m_followTimer->start(FollowIntervalMs);
    resize(1000, 720);
}

// What reading the file decided without the file saying so, and what it
// repaired, stays in view beside the prompt.
void CadWindow::showReadingFacts()
{
    const QString codePage = m_document.undeclaredCodePage();
    if (!codePage.isEmpty()) {
        const bool given = m_document.codePageSource() == DxfFile::CodePageSource::Given;
        auto *label = new QLabel(given ? QStringLiteral("コードページ %1（指定）").arg(codePage)
                                       : QStringLiteral("コードページ %1（推定）").arg(codePage),
                                 this);
        label->setObjectName(QStringLiteral("codePageLabel"));
        statusBar()->addPermanentWidget(label);
    }
    if (const int renumbered = m_document.renumberedHandleCount()) {
        auto *label = new QLabel(QStringLiteral("重複ハンドル %1 件を振り直し").arg(renumbered), this);
        label->setObjectName(QStringLiteral("renumberedHandlesLabel"));
        label->setToolTip(m_document.readNotes().join(u'\n'));
        statusBar()->addPermanentWidget(label);
    }
}

CadWindow::DrawingState CadWindow::drawingState() const
{
    const cad::MemoryDrawing &drawing = *m_document.drawing();
    return DrawingState{drawing.undoStepCount(), drawing.undoDepth(), drawing.entities().size(),
                        drawing.nextHandle(), drawing.zoomCenterCount};
}

void CadWindow::followDrawing()
{
    const DrawingState now = drawingState();
    if (now == m_seen)
        return;
    const cad::MemoryDrawing &drawing = *m_document.drawing();
    if (now.zoomCenterCount != m_seen.zoomCenterCount)
        m_view->centerOn(QPointF(drawing.lastZoomCenter.x, drawing.lastZoomCenter.y),
                         drawing.lastZoomMagnification);
    m_seen = now;
    m_view->refresh();
}

void CadWindow::save()
{
    const QStringList notes = m_document.save();
    for (const QString &note : notes)
        std::fprintf(stderr, "morvex-cad: %s\n", qPrintable(note));
    statusBar()->showMessage(QStringLiteral("%1 を保存しました。").arg(m_document.fileName()), StatusMessageMs);
}

void CadWindow::saveFromMenu()
{
    try {
        save();
    } catch (const DxfError &e) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("保存できません: %1").arg(e.message()));
    }
}

bool CadWindow::undo()
{
    const bool undone = m_document.drawing()->undo();
    m_seen = drawingState();
    m_view->refresh();
    return undone;
}

void CadWindow::showPrompt(const QString &prompt)
{
    m_prompt->setText(prompt.isEmpty() ? QStringLiteral("コマンド:") : prompt);
}

// --- CadWindowControl ---

bool CadWindow::isMinimized() const
{
    return QMainWindow::isMinimized();
}

void CadWindow::restore()
{
    if (QMainWindow::isMinimized())
        showNormal();
}

void CadWindow::minimize()
{
    showMinimized();
}

void CadWindow::activate()
{
    if (QMainWindow::isMinimized())
        showNormal();
    raise();
    activateWindow();
    m_view->setFocus();
}

bool CadWindow::isActive() const
{
    return isActiveWindow();
}

void CadWindow::pressEscape()
{
    // The server has ended a pending pick already; the view lets it go.
    m_view->cancelPick();
}

void CadWindow::drawMarker(const cad::MarkerPen &pen, const std::vector<cad::ScreenPoint> &points)
{
    // A ZoomCenter just before is followed first, so that its repaint does
    // not take the marker away. The tool computes the marker's points in the
    // view's coordinates.
    followDrawing();
    m_view->showMarker(pen, points);
}

} // namespace standin
