#pragma once
// The stand-in CAD's main window: the drawing view, a status bar with the
// pick prompt (and the code page when the drawing did not declare it, the
// count of handles renumbered on reading), Ctrl+S (save), Ctrl+Z (the
// drawing's undo, one undo group a step) and zoom to extents. It is the CAD window the tool asks for over the
// connection (CadWindowControl), and it follows the drawing: a change made
// through the automation model repaints it, ZoomCenter centres it.

#include "server/cadwindowcontrol.h"

#include <QMainWindow>

class QLabel;
class QTimer;

namespace standin {

class CadDocument;
class DrawingView;

class CadWindow : public QMainWindow, public CadWindowControl
{
    Q_OBJECT

public:
    explicit CadWindow(CadDocument &document, QWidget *parent = nullptr);

    DrawingView *view() const { return m_view; }

    // Saves the drawing to its file; throws DxfError.
    void save();
    // One step of the drawing's undo; false when there was nothing to undo.
    bool undo();
    // Looks at the drawing now for changes the tool made (also done on a timer).
    void followDrawing();

    // CadWindowControl
    bool isMinimized() const override;
    void restore() override;
    void minimize() override;
    void activate() override;
    bool isActive() const override;
    void pressEscape() override;
    void drawMarker(const cad::MarkerPen &pen, const std::vector<cad::ScreenPoint> &points) override;

private:
    void saveFromMenu();
    void showPrompt(const QString &prompt);
    void showReadingFacts();

    // What tells the window that the drawing changed since it last looked.
    struct DrawingState
    {
        int undoSteps = 0;
        int undoDepth = 0;
        size_t entityCount = 0;
        unsigned long long nextHandle = 0;
        int zoomCenterCount = 0;
        bool operator==(const DrawingState &) const = default;
    };
    DrawingState drawingState() const;

    CadDocument &m_document;
    DrawingView *m_view;
    QLabel *m_prompt;
    QTimer *m_followTimer;
    DrawingState m_seen;
};

} // namespace standin
