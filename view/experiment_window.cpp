// The experiment's window: the progress of the runs in the background, pause,
// stop, the plot as they come in, a table opened again, and a point's runs
// offered to watch in the terrarium.
#include "view/experiment_window.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/system.h"
#include "view/experiment_plot_view.h"
#include "view/language.h"
#include "view/user_folders.h"

namespace {

// The plot is drawn again twice a second while runs come in.
constexpr int kRedrawMilliseconds = 500;

QString duration(std::chrono::steady_clock::duration spent) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(spent).count();
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// "hatch=5 mating=3", the varied settings of a point.
QString pointName(const ExperimentTally& tally, const Point& point) {
    QStringList parts;
    for (const std::size_t setting : tally.varied()) {
        parts << QStringLiteral("%1=%2").arg(QLatin1String(kSettingNames[setting].data(), static_cast<int>(kSettingNames[setting].size())),
                                             QString::fromStdString(point.settings[setting]));
    }
    return parts.join(QLatin1Char(' '));
}

}  // namespace

ExperimentWindow::ExperimentWindow(QWidget* parent, Asks asks)
    : QWidget(parent, Qt::Window),
      asks_(std::move(asks)),
      title_(new QLabel(this)),
      problem_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      times_(new QLabel(this)),
      pause_(new QPushButton(tr("Pause"), this)),
      stop_(new QPushButton(tr("Stop"), this)),
      shows_(new QComboBox(this)),
      against_(new QComboBox(this)),
      plot_(new ExperimentPlotView(this, [this](std::size_t point, const QPoint& where) { pointClicked(point, where); })),
      timer_(new QTimer(this)) {
    setWindowTitle(tr("vivar experiment"));
    auto* column = new QVBoxLayout(this);
    title_->setWordWrap(true);
    title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(title_);
    progress_->setFormat(tr("%v of %m runs"));
    column->addWidget(progress_);
    column->addWidget(times_);

    auto* buttons = new QHBoxLayout;
    auto* setUp = new QPushButton(tr("Set up…"), this);
    setUp->setToolTip(tr("Set up a new experiment, or continue a stopped one with the same file and settings (Alt+S)"));
    setUp->setShortcut(QKeySequence(QStringLiteral("Alt+S")));
    auto* open = new QPushButton(tr("Open table…"), this);
    open->setToolTip(
        tr("Draw the plot of any experiment's table: one made here, by vivar-sim, or parts put together (Alt+O)"));
    open->setShortcut(QKeySequence(QStringLiteral("Alt+O")));
    pause_->setToolTip(tr("No new run starts while paused (Alt+P)"));
    pause_->setShortcut(QKeySequence(QStringLiteral("Alt+P")));
    stop_->setToolTip(tr("End the table at a whole run: it can be continued from Set up… (Alt+T)"));
    stop_->setShortcut(QKeySequence(QStringLiteral("Alt+T")));
    for (QPushButton* button : {setUp, open, pause_, stop_}) {
        buttons->addWidget(button);
    }
    column->addLayout(buttons);

    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));
    problem_->hide();
    column->addWidget(problem_);

    auto* choice = new QHBoxLayout;
    shows_->addItem(tr("Survival"));
    shows_->addItem(tr("Populations"));
    shows_->addItem(tr("First extinction"));
    shows_->setToolTip(tr("What the plot shows: the share of runs in which the lizards survive, the populations at "
                          "the end, or the generation of the first extinction"));
    choice->addWidget(shows_, 1);
    against_->setToolTip(tr("With two settings varied: a grid of both, or the plot against one of them"));
    choice->addWidget(against_, 1);
    shows_->setAccessibleName(tr("The plot shows"));
    against_->setAccessibleName(tr("Plotted against"));
    column->addLayout(choice);
    plot_->setToolTip(tr("Click a point or a cell for its runs, to watch one in the terrarium"));
    plot_->setAccessibleName(tr("Plot"));
    column->addWidget(plot_, 1);

    connect(setUp, &QPushButton::clicked, this, [this] { asks_.setUp(); });
    connect(open, &QPushButton::clicked, this, [this] { openTable(); });
    connect(pause_, &QPushButton::clicked, this, [this] {
        if (!run_) {
            return;
        }
        if (run_->progress().state == ExperimentRun::State::kPaused) {
            run_->carryOn();
        } else {
            run_->pause();
        }
        tick();
    });
    connect(stop_, &QPushButton::clicked, this, [this] {
        if (run_) {
            run_->stop();
            tick();
        }
    });
    connect(shows_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { choiceChanged(); });
    connect(against_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { choiceChanged(); });
    connect(timer_, &QTimer::timeout, this, [this] { tick(); });
    against_->hide();
    pause_->setEnabled(false);
    stop_->setEnabled(false);
    resize(440, 600);
}

ExperimentWindow::~ExperimentWindow() = default;

bool ExperimentWindow::busy() const {
    if (!run_) {
        return false;
    }
    const ExperimentRun::State state = run_->progress().state;
    return state == ExperimentRun::State::kRunning || state == ExperimentRun::State::kPaused;
}

void ExperimentWindow::follow(std::unique_ptr<ExperimentRun> run, const ExperimentFields& fields,
                              const QString& table) {
    run_ = std::move(run);
    fields_ = fields;
    table_ = table;
    seeds_ = run_->setup().seeds;
    tellProblem(QString());
    title_->setText(tr("Table: %1").arg(QDir::toNativeSeparators(table)));
    timer_->start(kRedrawMilliseconds);
    tick();
}

bool ExperimentWindow::endForClose() {
    timer_->stop();
    if (!run_) {
        return false;
    }
    const std::optional<std::string> line = run_->endForClose();
    if (!line) {
        // Ended already: its thread is joined now, since the process may
        // end before this window is taken down.
        run_.reset();
        return false;
    }
    std::fprintf(stderr, "%s\n", line->c_str());
    std::fflush(stderr);
    // The runs under way end with the process: waiting for them in the
    // destructor would hold the close.
    (void)run_.release();
    return true;
}

void ExperimentWindow::tick() {
    if (!run_) {
        return;
    }
    const ExperimentRun::Progress progress = run_->progress();
    progress_->setMaximum(static_cast<int>(progress.total));
    progress_->setValue(static_cast<int>(progress.done));
    QString times = tr("Spent %1").arg(duration(progress.spent));
    if (progress.left && progress.state == ExperimentRun::State::kRunning) {
        times += tr(" · about %1 left").arg(duration(*progress.left));
    }
    switch (progress.state) {
        case ExperimentRun::State::kRunning:
            break;
        case ExperimentRun::State::kPaused:
            times += tr(" · paused");
            break;
        case ExperimentRun::State::kStopped:
            times += tr(" · stopped: Set up… continues it");
            break;
        case ExperimentRun::State::kFinished:
            times += tr(" · finished");
            break;
        case ExperimentRun::State::kFailed:
            times += tr(" · failed: %1").arg(QString::fromStdString(progress.problem));
            break;
    }
    times_->setText(times);
    const bool busy = progress.state == ExperimentRun::State::kRunning || progress.state == ExperimentRun::State::kPaused;
    pause_->setEnabled(busy);
    stop_->setEnabled(busy);
    pause_->setText(progress.state == ExperimentRun::State::kPaused ? tr("Continue") : tr("Pause"));
    if (ExperimentTally tally = run_->tally(); tally.runs() != plot_->tally().runs()) {
        showTally(std::move(tally));
    }
    if (!busy) {
        timer_->stop();
    }
}

void ExperimentWindow::showTally(ExperimentTally tally) {
    // The choice of axes follows what varies.
    const std::vector<std::size_t> varied = tally.varied();
    if (varied.size() == 2 && against_->count() != 3) {
        against_->blockSignals(true);
        against_->clear();
        against_->addItem(tr("Grid of both"));
        for (const std::size_t setting : varied) {
            against_->addItem(tr("Against %1").arg(QLatin1String(kSettingNames[setting].data(),
                                                                 static_cast<int>(kSettingNames[setting].size()))),
                              static_cast<int>(setting));
        }
        against_->blockSignals(false);
    }
    against_->setVisible(varied.size() == 2);
    plot_->showTally(std::move(tally));
}

void ExperimentWindow::choiceChanged() {
    PlotChoice choice;
    choice.shows = static_cast<PlotShows>(shows_->currentIndex());
    if (against_->isVisible() && against_->currentIndex() > 0) {
        choice.against = static_cast<std::size_t>(against_->currentData().toInt());
    }
    plot_->choose(choice);
}

void ExperimentWindow::openTable() {
    // A table opened is drawn in place of the experiment's, which must have
    // ended first.
    if (busy()) {
        tellProblem(tr("Stop the experiment under way before drawing another table."));
        return;
    }
    const QString name = QFileDialog::getOpenFileName(this, tr("Open an experiment's table"),
                                                      user_folders::offered(user_folders::Kind::kExperiments),
                                                      tr("Tables (*.csv);;All files (*)"));
    if (name.isEmpty()) {
        return;
    }
    user_folders::remember(user_folders::Kind::kExperiments, name);
    std::FILE* in = platform::openFile(platform::pathFromUtf8(name.toStdString()), "rb");
    if (in == nullptr) {
        tellProblem(tr("%1 cannot be read.").arg(QDir::toNativeSeparators(name)));
        return;
    }
    ExperimentTally tally;
    std::vector<char> bytes(std::size_t{1} << 16);
    for (std::size_t read = 0; (read = std::fread(bytes.data(), 1, bytes.size(), in)) > 0;) {
        if (!tally.read(std::string_view(bytes.data(), read))) {
            break;
        }
    }
    std::fclose(in);
    if (const std::optional<std::string> problem = tally.end()) {
        tellProblem(tr("%1 is not an experiment's table: line %2")
                        .arg(QDir::toNativeSeparators(name), QString::fromStdString(*problem)));
        return;
    }
    run_.reset();
    timer_->stop();
    seeds_.reset();
    tellProblem(QString());
    title_->setText(tr("Table: %1").arg(QDir::toNativeSeparators(name)));
    progress_->setMaximum(static_cast<int>(std::max<std::uint64_t>(tally.runs(), 1)));
    progress_->setValue(static_cast<int>(tally.runs()));
    times_->clear();
    pause_->setEnabled(false);
    stop_->setEnabled(false);
    showTally(std::move(tally));
}

void ExperimentWindow::tellProblem(const QString& text) {
    problem_->setText(text);
    problem_->setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        plot_->logProblem(text.toStdString());
    }
}

void ExperimentWindow::pointClicked(std::size_t index, const QPoint& where) {
    const ExperimentTally& tally = plot_->tally();
    if (index >= tally.points().size()) {
        return;
    }
    const Point& point = tally.points()[index];
    const std::optional<Rules> rules = rulesOfPoint(point.settings);
    if (!rules) {
        return;
    }
    QMenu menu(this);
    menu.addSection(tr("%1: %2 runs").arg(pointName(tally, point), language::number(static_cast<std::int64_t>(point.runs))));
    const auto offer = [&](const QString& heading, const std::vector<std::uint64_t>& seeds) {
        if (seeds.empty()) {
            return;
        }
        menu.addSection(heading);
        for (const std::uint64_t seed : seeds) {
            menu.addAction(tr("Seed %1").arg(seed), this, [this, rules, seed] { asks_.watch(*rules, seed); });
        }
    };
    offer(tr("Both species survive"), point.seedsBothSurvive);
    offer(tr("One species survives"), point.seedsOneSurvives);
    offer(tr("Both die out"), point.seedsNoneSurvives);
    if (seeds_) {
        menu.addSeparator();
        const SeedRange seeds = *seeds_;
        menu.addAction(tr("Another seed…"), this, [this, rules, seeds] {
            bool ok = false;
            const int seed = QInputDialog::getInt(this, tr("vivar experiment"),
                                                  tr("A seed from %1 to %2:").arg(seeds.first).arg(seeds.last),
                                                  static_cast<int>(seeds.first), static_cast<int>(seeds.first),
                                                  static_cast<int>(std::min<std::uint64_t>(seeds.last, 2147483647)), 1, &ok);
            if (ok) {
                asks_.watch(*rules, static_cast<std::uint64_t>(seed));
            }
        });
    }
    menu.exec(where);
}
