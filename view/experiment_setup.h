// What the experiment dialog's fields say, checked as vivar-sim checks its
// options, without a widget, so that the checks can be tested alone.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include <QString>

#include "model/rules.h"
#include "studies/experiment_run.h"

// The fields as typed: a setting's name is empty for a row that varies
// nothing (the second row may).
struct ExperimentFields {
    std::array<std::string, 2> settings;
    std::array<std::string, 2> values;
    std::string firstSeed;
    std::string lastSeed;
    std::int64_t generations = 100;
    unsigned jobs = 1;
};

// What is wrong beside each field, empty where nothing is, and the setup
// when nothing is.
struct ExperimentCheck {
    std::array<QString, 2> rows;
    QString seeds;
    QString runs;  // no runs, or more than the window takes on
    std::optional<ExperimentSetup> setup;
    std::uint64_t runCount = 0;
};

[[nodiscard]] ExperimentCheck checkExperiment(const Rules& base, const ExperimentFields& fields);

// What a table file holds for this experiment, told before it starts: a
// table of its runs is gone on with, any other is refused.
struct TableFound {
    std::uint64_t runs = 0;   // whole runs already there
    QString problem;          // not this experiment's table, or unreadable
};
[[nodiscard]] TableFound examineTable(const std::filesystem::path& table, const ExperimentSetup& setup);

// The rules a point of an experiment's table names: its size and every
// rule; nothing when the table's values are not rules.
[[nodiscard]] std::optional<Rules> rulesOfPoint(const Settings& settings);
