#include "view/export_dialog.h"

#include <array>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/system.h"
#include "view/user_folders.h"

namespace {

// The sizes offered besides the one the dialog starts with: the common
// screens', up to 8K.
constexpr std::array<FilmSize, 5> kOfferedSizes{{{1280, 720}, {1920, 1080}, {2560, 1440}, {3840, 2160}, {7680, 4320}}};

QString sizeText(FilmSize size) { return QStringLiteral("%1x%2").arg(size.width).arg(size.height); }

}  // namespace

ExportDialog::ExportDialog(QWidget* parent, Kind kind, const QString& title, const QString& fileName, FilmSize size,
                           int rate, FilmExtras extras)
    : QDialog(parent), kind_(kind), folder_(QFileInfo(fileName).absolutePath()), size_(size) {
    setWindowTitle(title);
    auto* form = new QFormLayout;
    name_ = new QLineEdit(fileName);
    name_->setMinimumWidth(360);
    auto* browse = new QPushButton(tr("Browse…"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_);
    nameRow->addWidget(browse);
    form->addRow(kind == Kind::kPicture ? tr("PNG file:") : tr("File (.webm or .gif):"), nameRow);
    // Its row's label is the row's, not the field's.
    name_->setAccessibleName(kind == Kind::kPicture ? tr("PNG file") : tr("File (.webm or .gif)"));

    sizes_ = new QComboBox;
    sizes_->setEditable(true);
    sizes_->addItem(sizeText(size));
    for (const FilmSize offered : kOfferedSizes) {
        if (!(offered == size)) {
            sizes_->addItem(sizeText(offered));
        }
    }
    sizes_->setToolTip(tr("Width x height in pixels, from %1x%1 to %2x%3")
                           .arg(kLeastFilmSide)
                           .arg(kLargestFilm.width)
                           .arg(kLargestFilm.height));
    form->addRow(tr("Size in pixels:"), sizes_);
    if (kind == Kind::kFilm) {
        rate_ = new QSpinBox;
        rate_->setRange(kLeastFilmRate, kMostFilmRate);
        rate_->setValue(rate);
        form->addRow(tr("Generations per second:"), rate_);
    }
    // The board alone unless asked: a caption and the chart take room from it.
    caption_ = new QCheckBox(tr("A caption under the board: the generation and the populations"));
    caption_->setChecked(extras.caption);
    chart_ = new QCheckBox(tr("The population chart beside the board"));
    chart_->setChecked(extras.chart);
    form->addRow(tr("With the board:"), caption_);
    form->addRow(QString(), chart_);
    problem_ = new QLabel;
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #B00020"));
    problem_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, [this] { ExportDialog::browse(); });
    browse->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    // Name, size, rate, what goes with the board, then the rest: typed in that order.
    setTabOrder(name_, sizes_);
    QWidget* last = sizes_;
    if (rate_ != nullptr) {
        setTabOrder(sizes_, rate_);
        last = rate_;
    }
    setTabOrder(last, caption_);
    setTabOrder(caption_, chart_);
    name_->setFocus();
    name_->selectAll();
}

QString ExportDialog::fileName() const { return user_folders::inFolder(folder_, name_->text().trimmed()); }

int ExportDialog::rate() const { return rate_ != nullptr ? rate_->value() : kDefaultFilmRate; }

FilmExtras ExportDialog::extras() const { return {caption_->isChecked(), chart_->isChecked()}; }

void ExportDialog::browse() {
    const QString filter = kind_ == Kind::kPicture ? tr("PNG pictures (*.png)")
                                                   : tr("WebM videos (*.webm);;Animated GIFs (*.gif)");
    const QString chosen = QFileDialog::getSaveFileName(this, windowTitle(), fileName(), filter);
    if (!chosen.isEmpty()) {
        name_->setText(chosen);
    }
}

void ExportDialog::accept() {
    const auto refuse = [this](const QString& why) {
        problem_->setText(why);
        problem_->show();
    };
    QString name = fileName();
    if (kind_ == Kind::kPicture) {
        // A picture is a PNG whatever its name said, and its name says so,
        // as a saved board's says .vivar.
        if (name.isEmpty()) {
            refuse(tr("The picture needs a file name."));
            return;
        }
        if (QFileInfo(name).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) != 0) {
            name += QStringLiteral(".png");
            name_->setText(name);
        }
    } else {
        const std::filesystem::path path = platform::pathFromUtf8(name.toStdString());
        const std::optional<FilmKind> kind = filmKindOf(path);
        if (!kind) {
            refuse(tr("The film's name must end in .webm (a video) or .gif (an animated GIF)."));
            return;
        }
        filmKind_ = *kind;
    }
    FilmSize size;
    if (readFilmSize(sizes_->currentText().trimmed().toStdString(), size)) {
        refuse(tr("The size must be WxH in pixels, from %1x%1 to %2x%3.")
                   .arg(kLeastFilmSide)
                   .arg(kLargestFilm.width)
                   .arg(kLargestFilm.height));
        return;
    }
    size_ = size;
    if (QFileInfo::exists(name) &&
        QMessageBox::question(this, tr("Replace %1?").arg(QFileInfo(name).fileName()),
                              tr("%1 already exists. Do you want to replace it?").arg(QFileInfo(name).fileName())) !=
            QMessageBox::Yes) {
        return;
    }
    QDialog::accept();
}
