// An application for letters' fonts, without a display.
#include "film/letters_application.h"

LettersApplication::LettersApplication() {
    if (QCoreApplication::instance() == nullptr) {
        // Windows' own platform draws without a display; X11's needs one.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
#ifndef _WIN32
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        }
        // Qt's warnings about the session it runs in are not the film's
        // problems, which come back as values.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        application_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
    }
}
