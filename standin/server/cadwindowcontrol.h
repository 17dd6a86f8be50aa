#pragma once
// The stand-in's own window as the tool asks for it over the connection
// (the reserved "MorvexWindow." members): restore, minimise, come to the
// front, Escape, and the marker of PanToPoint. The viewer implements it.

#include "cad/windowsystem.h"

#include <vector>

namespace standin {

class CadWindowControl
{
public:
    virtual ~CadWindowControl() = default;

    virtual bool isMinimized() const = 0;
    virtual void restore() = 0;
    virtual void minimize() = 0;
    // Raises the window and gives it the focus.
    virtual void activate() = 0;
    virtual bool isActive() const = 0;
    // Escape pressed in the window (the server has already ended a pending pick).
    virtual void pressEscape() = 0;
    // A polyline in the drawing view's coordinates (y downward), drawn over
    // the view and gone at its next repaint.
    virtual void drawMarker(const cad::MarkerPen &pen, const std::vector<cad::ScreenPoint> &points) = 0;
};

} // namespace standin
