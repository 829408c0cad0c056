// The table read here, without Qt, so that a file that is not one is
// refused before the films module loads; the module draws it.
#include "programs/vivar-sim/plot.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "base/words.h"
#include "platform/system.h"
#include "programs/vivar-sim/film_module.h"
#include "studies/experiment_tally.h"

namespace sim {

int drawPlot(const PlotAsk& plot) {
    const std::string tableName = platform::utf8Name(plot.table);
    std::ifstream table(plot.table, std::ios::binary);
    if (!table) {
        std::fprintf(stderr, "vivar-sim: %s: %s\n", tableName.c_str(),
                     words::translate("VivarSim", "the table cannot be read").c_str());
        return 2;
    }
    ExperimentTally tally;
    std::array<char, 1 << 16> bytes{};
    while (table.read(bytes.data(), bytes.size()) || table.gcount() > 0) {
        if (!tally.read(std::string_view(bytes.data(), static_cast<std::size_t>(table.gcount())))) {
            break;
        }
    }
    if (table.bad()) {
        std::fprintf(stderr, "vivar-sim: %s: %s\n", tableName.c_str(),
                     words::translate("VivarSim", "the table cannot be read").c_str());
        return 2;
    }
    if (const std::optional<std::string> problem = tally.end()) {
        std::fprintf(stderr, "vivar-sim: %s:%s\n", tableName.c_str(), problem->c_str());
        return 2;
    }
    const std::vector<std::size_t> varied = tally.varied();
    if (plot.choice.against &&
        std::find(varied.begin(), varied.end(), *plot.choice.against) == varied.end()) {
        std::string names;
        for (const std::size_t setting : varied) {
            if (!names.empty()) {
                names += ", ";
            }
            names += kSettingNames[setting];
        }
        const std::string against(kSettingNames[*plot.choice.against]);
        std::fprintf(stderr, "vivar-sim: %s\n",
                     (names.empty()
                          ? words::fill(words::translate("VivarSim", "--against %1: %2 varies nothing"),
                                        {against, tableName})
                          : words::fill(words::translate("VivarSim", "--against %1: %2 does not vary it, only %3"),
                                        {against, tableName, names}))
                         .c_str());
        return 2;
    }

    ExperimentPlotRequest request;
    request.tally = &tally;
    request.choice = plot.choice;
    request.file = plot.file;
    request.format = plot.format;
    request.width = plot.width;
    request.height = plot.height;
    request.translate = &words::translate;
    std::vector<std::string> lines;
    request.lines = &lines;
    std::string problem;
    if (!filmModuleFor("--plot").plot(request, problem)) {
        std::fprintf(stderr, "vivar-sim: %s: %s\n", platform::utf8Name(plot.file).c_str(), problem.c_str());
        return 1;
    }
    // The points drawn, for a script or a reader to check the picture by.
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace sim
