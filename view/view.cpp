#include "view/view.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "model/board.h"
#include "model/trace.h"

void View::beforeRun() {
    trace::print("view creada\n");
    trace::print("vista valore de corre = %d\n", runFlag ? 1 : 0);
    trace::print("vista  valore de &corre = %" PRIdPTR "\n", reinterpret_cast<std::intptr_t>(&runFlag));
    trace::flush();
}

int View::run(int /*argument*/) {
    std::fprintf(stderr, "vivar: could not open the viewer window\n");
    // Without a window nothing would ever ask the model to end.
    quitFlag = true;
    return 1;
}
