#pragma once

#include <memory>

#include <QImage>

#include "film/film_format.h"

class QOpenGLFramebufferObject;
class SoGLRenderAction;
class SoQtExaminerViewer;

// The 3D view drawn off screen, at a size of its own whatever the window's:
// the viewer's scene graph, its camera and light, rendered in the viewer's
// own OpenGL context into a framebuffer object, so that the pictures the
// viewer has already loaded serve again. Never a capture of the screen, so
// a window that is covered or smaller still gives the whole picture. On
// the view thread.
class OffscreenView {
public:
    OffscreenView(SoQtExaminerViewer& viewer, FilmSize size);
    ~OffscreenView();
    OffscreenView(const OffscreenView&) = delete;
    OffscreenView& operator=(const OffscreenView&) = delete;

    // The view as its camera sees it now; a null picture when OpenGL could
    // not make a framebuffer of this size.
    [[nodiscard]] QImage render();

private:
    SoQtExaminerViewer& viewer_;
    FilmSize size_;
    std::unique_ptr<QOpenGLFramebufferObject> buffer_;
    // Kept from frame to frame, as the buffer is.
    std::unique_ptr<SoGLRenderAction> action_;
};
