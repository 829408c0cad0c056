// The trace gathers a generation's lines and hands them to stdio in large
// writes; what reaches the console must be the same lines in the same order.

#include <string>

#include <gtest/gtest.h>

#include "model/trace.h"
#include "support/captured_trace.h"

namespace {

TEST(Trace, ABurstLongerThanItsBufferArrivesWholeAndInOrder) {
    CapturedTrace captured;
    trace::Writer lines(&trace::console());
    std::string expected;
    {
        const trace::Writer::Burst burst(lines);
        for (int k = 0; k < 500; ++k) {
            lines.line("--------casilla con lagartija----------\n");
            lines.print("todavia estoy chico edad = %d\n", k);
            expected += "--------casilla con lagartija----------\ntodavia estoy chico edad = " + std::to_string(k) + "\n";
        }
        lines.print("%s me apareare\n", std::string(5000, 'x').c_str());  // longer than the whole buffer
        expected += std::string(5000, 'x') + " me apareare\n";
        lines.line("-fin no eres juvenil-\n");
        expected += "-fin no eres juvenil-\n";
    }
    EXPECT_EQ(captured.text(), expected);
}

TEST(Trace, LinesGatheredBeforeTheTraceIsTurnedOffStillArrive) {
    CapturedTrace captured;
    trace::Writer lines(&trace::console());
    {
        const trace::Writer::Burst burst(lines);
        lines.line("antes\n");
        lines.setSink(nullptr);
        lines.line("apagado\n");
    }
    lines.setSink(&trace::console());
    lines.line("despues\n");
    EXPECT_EQ(captured.text(), "antes\ndespues\n");
}

}  // namespace
