#pragma once
// The main window's surface, its frames and labels, and the tab order across the panels.

class AxisPanel;
class TransportPanel;
class QLabel;
class QMainWindow;
class QWidget;

namespace robot_layout {

// The window's title and icon, and its black surface (the central widget) at its size.
QWidget *buildSurface(QMainWindow *window);
// The frames and labels on the surface, and the logo Image1, which it returns.
QLabel *buildCaptions(QWidget *surface);
// Ascending tab index; labels, frames and the logo take no focus.
void setTabOrder(const AxisPanel &axes, const TransportPanel &transport);

} // namespace robot_layout
