// The experiment dialog's checks: each field as vivar-sim's options check it,
// and a table file against the experiment it would go on with.
#include "view/experiment_setup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include <QCoreApplication>

#include "base/numbers.h"
#include "model/run_seeds.h"
#include "platform/system.h"
#include "studies/experiment.h"
#include "studies/experiment_table.h"
#include "studies/experiment_tally.h"
#include "studies/partial_table.h"

namespace {

QString said(const char* text) { return QCoreApplication::translate("ExperimentDialog", text); }

}  // namespace

ExperimentCheck checkExperiment(const Rules& base, const ExperimentFields& fields) {
    ExperimentCheck check;
    std::vector<Variation> variations;
    for (std::size_t row = 0; row < fields.settings.size(); ++row) {
        if (fields.settings[row].empty()) {
            continue;
        }
        Variation variation;
        if (const auto problem = readVariation(fields.settings[row] + "=" + fields.values[row], variation)) {
            check.rows[row] = QString::fromStdString(*problem);
        } else if (row > 0 && fields.settings[0] == fields.settings[row]) {
            check.rows[row] = said(QT_TRANSLATE_NOOP("ExperimentDialog", "The same setting cannot vary in both rows."));
        } else {
            variations.push_back(std::move(variation));
        }
    }
    SeedRange seeds;
    if (!parseWholeNumber(fields.firstSeed, 0, kLargestSeed, seeds.first) ||
        !parseWholeNumber(fields.lastSeed, 0, kLargestSeed, seeds.last)) {
        check.seeds = said(QT_TRANSLATE_NOOP("ExperimentDialog", "Seeds are whole numbers from 0 to %1.")).arg(kLargestSeed);
    } else if (seeds.first > seeds.last) {
        check.seeds = said(QT_TRANSLATE_NOOP("ExperimentDialog", "The first seed is greater than the last."));
    }
    if (!check.rows[0].isEmpty() || !check.rows[1].isEmpty() || !check.seeds.isEmpty()) {
        return check;
    }
    if (variations.empty()) {
        check.runs = said(QT_TRANSLATE_NOOP("ExperimentDialog", "Choose at least one setting to vary."));
        return check;
    }
    const Experiment experiment(base, variations, seeds);
    const std::optional<std::uint64_t> runs = experiment.runCount();
    if (!runs || *runs > kMostRunsInWindow) {
        check.runs = said(QT_TRANSLATE_NOOP("ExperimentDialog", "More than %1 runs: the window takes on at most that many; vivar-sim, any number."))
                         .arg(QString::number(kMostRunsInWindow));
        return check;
    }
    check.runCount = *runs;
    check.setup = ExperimentSetup{base, std::move(variations), seeds, fields.generations, fields.jobs};
    return check;
}

TableFound examineTable(const std::filesystem::path& table, const ExperimentSetup& setup) {
    TableFound found;
    errno = 0;
    std::FILE* in = platform::openFile(table, "rb");
    if (in == nullptr) {
        if (errno != ENOENT) {
            found.problem = said(QT_TRANSLATE_NOOP("ExperimentDialog", "The table cannot be read: %1")).arg(QString::fromLocal8Bit(std::strerror(errno)));
        }
        return found;
    }
    // Held against the table this experiment writes, as a run that goes on
    // with it is.
    const Experiment experiment(setup.rules, setup.variations, setup.seeds);
    PartialTable partial(
        tableShape(experiment, RunSpan{0, experiment.runCount().value_or(0)}, setup.generations, true, true));
    std::vector<char> bytes(std::size_t{1} << 16);
    for (std::size_t read = 0; (read = std::fread(bytes.data(), 1, bytes.size(), in)) > 0;) {
        if (!partial.read(std::string_view(bytes.data(), read))) {
            break;
        }
    }
    std::fclose(in);
    TableEnd end;
    if (const std::optional<std::string> problem = partial.end(end)) {
        found.problem = said(QT_TRANSLATE_NOOP("ExperimentDialog", "The file is not this experiment's table: line %1")).arg(QString::fromStdString(*problem));
        return found;
    }
    found.runs = end.runs;
    return found;
}

std::optional<Rules> rulesOfPoint(const Settings& settings) {
    Rules rules;
    if (setSize(rules, settings[0])) {
        return std::nullopt;
    }
    for (std::size_t setting = 1; setting < kSettingNames.size(); ++setting) {
        if (setRule(rules, std::string(kSettingNames[setting]) + "=" + settings[setting])) {
            return std::nullopt;
        }
    }
    return rules;
}
