// The trace gathers a generation's lines and hands them to stdio in large
// writes; what reaches the console must be the same lines in the same order.

#include <string>

#include <gtest/gtest.h>

#include "model/trace.h"
#include "support/captured_trace.h"

namespace {

TEST(Trace, ABurstLongerThanItsBufferArrivesWholeAndInOrder) {
    CapturedTrace captured;
    std::string expected;
    {
        const trace::Burst burst;
        for (int k = 0; k < 500; ++k) {
            trace::line("--------casilla con lagartija----------\n");
            trace::print("todavia estoy chico edad = %d\n", k);
            expected += "--------casilla con lagartija----------\ntodavia estoy chico edad = " + std::to_string(k) + "\n";
        }
        trace::print("%s me apareare\n", std::string(5000, 'x').c_str());  // longer than the whole buffer
        expected += std::string(5000, 'x') + " me apareare\n";
        trace::line("-fin no eres juvenil-\n");
        expected += "-fin no eres juvenil-\n";
    }
    EXPECT_EQ(captured.text(), expected);
}

TEST(Trace, LinesGatheredBeforeTheTraceIsTurnedOffStillArrive) {
    CapturedTrace captured;
    std::FILE* sink = trace::sink();
    {
        const trace::Burst burst;
        trace::line("antes\n");
        trace::setSink(nullptr);
        trace::line("apagado\n");
    }
    trace::setSink(sink);
    trace::line("despues\n");
    EXPECT_EQ(captured.text(), "antes\ndespues\n");
}

}  // namespace
