#pragma once

class SoQtExaminerViewer;

// The camera on the board: where the home view stands, how near it may come,
// and how the tiles' transparency is drawn for the board's size.

// The view opens at a size where the board is comfortable to watch; the
// status line and the chart come on top of it.
inline constexpr int kWindowWidth = 960;
inline constexpr int kWindowHeight = 820;

// The camera comes no nearer to the board than this, in squares: at the
// viewer's height angle of 45 degrees the view is then one square high.
inline constexpr float kNearestCameraDistance = 1.2f;

// The home view frames the whole board, and becomes the viewer's home.
void frameBoard(SoQtExaminerViewer& viewer);
// The tiles' transparency suits the board's size.
void setTransparency(SoQtExaminerViewer& viewer);
