#pragma once

#include "app/cthread.h"

// The viewer thread: owns the window, the scene and the event loop.
class View : public CThread {
public:
    View() = default;
    ~View() { stop(); }

    void beforeRun() override;
    // 0 once the window has been closed; 1 when no window could be opened,
    // in which case the model is asked to end as well.
    int run(int argument) override;
};
