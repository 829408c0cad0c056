// How the window tells a problem: on stderr, and in a dialog over the
// window or on the status line.

#include <atomic>
#include <cassert>
#include <cstdio>
#include <cstring>
#include <string>

#include <QMessageBox>
#include <QString>

#include "base/thread_flags.h"
#include "model/trace.h"
#include "view/view.h"
#include "view/view_parts.h"

std::string traceProblem(int error) {
    return View::tr("the trace could not be written to standard output: %1")
        .arg(QString::fromLocal8Bit(std::strerror(error)))
        .toStdString();
}

void tellProblem(const QString& problem) {
    // The dialog runs the event loop, whose handlers must not find the
    // board taken already.
    assert(!BoardAccess::held());
    std::fprintf(stderr, "vivar: %s\n", problem.toUtf8().constData());
    if (liveView != nullptr) {
        // On stderr it follows the program's name; in the dialog it is a
        // sentence of its own.
        QString sentence = problem;
        if (!sentence.isEmpty()) {
            sentence[0] = sentence[0].toUpper();
        }
        QMessageBox::warning(liveView->window(), QStringLiteral("vivar"), sentence);
    }
}

void tellTraceFailureOnce() {
    static std::atomic<bool> told{false};
    if (const int error = trace::failure(); error != 0 && !told.exchange(true)) {
        std::fprintf(stderr, "vivar: %s\n", traceProblem(error).c_str());
    }
}
