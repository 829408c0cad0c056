#include "app/lifecycle.h"

int runWorkers(CThread& model, CThread& view) {
    model.start();
    view.start();

    waitForBoth(model, view);

    model.stop();
    view.stop();

    return view.exitCode == 0 ? 0 : 1;
}
