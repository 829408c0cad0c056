#include "view/offscreen_view.h"

#include <algorithm>

#include <QGLWidget>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include <Inventor/SbColor.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/actions/SoGLRenderAction.h>

OffscreenView::OffscreenView(SoQtExaminerViewer& viewer, FilmSize size) : viewer_(viewer), size_(size) {}

OffscreenView::~OffscreenView() {
    action_.reset();
    // The buffer belongs to the viewer's context, which must be current to
    // let it go.
    if (buffer_ != nullptr) {
        if (auto* widget = qobject_cast<QGLWidget*>(viewer_.getGLWidget())) {
            widget->makeCurrent();
        }
        buffer_.reset();
    }
}

QImage OffscreenView::render() {
    auto* widget = qobject_cast<QGLWidget*>(viewer_.getGLWidget());
    SoNode* root = viewer_.getSceneManager()->getSceneGraph();
    if (widget == nullptr || root == nullptr) {
        return {};
    }
    widget->makeCurrent();
    if (QOpenGLContext::currentContext() == nullptr) {
        return {};
    }
    if (buffer_ == nullptr) {
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        buffer_ = std::make_unique<QOpenGLFramebufferObject>(size_.width, size_.height, format);
    }
    if (!buffer_->isValid() || !buffer_->bind()) {
        buffer_.reset();
        return {};
    }
    QOpenGLFunctions* gl = QOpenGLContext::currentContext()->functions();
    const SbColor& background = viewer_.getBackgroundColor();
    gl->glClearColor(background[0], background[1], background[2], 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    // The viewer's cache context: the same OpenGL context, so its textures
    // and display lists are valid here.
    const SoGLRenderAction& shown = *viewer_.getGLRenderAction();
    if (action_ == nullptr) {
        action_ = std::make_unique<SoGLRenderAction>(
            SbViewportRegion(static_cast<short>(size_.width), static_cast<short>(size_.height)));
    }
    action_->setCacheContext(shown.getCacheContext());
    action_->setTransparencyType(shown.getTransparencyType());
    action_->apply(root);
    // Read once, as the films and pictures take it: red, green and blue in
    // rows padded to four bytes, as QImage pads them, bottom row first.
    QImage picture(size_.width, size_.height, QImage::Format_RGB888);
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl->glReadPixels(0, 0, size_.width, size_.height, GL_RGB, GL_UNSIGNED_BYTE, picture.bits());
    buffer_->release();
    const auto rowBytes = static_cast<std::size_t>(picture.bytesPerLine());
    for (int top = 0, bottom = size_.height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(picture.scanLine(top), picture.scanLine(top) + rowBytes, picture.scanLine(bottom));
    }
    return picture;
}
