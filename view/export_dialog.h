#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QString>

#include "film/film_format.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// Where a picture of the view or a film goes, and at what size and pace:
// a file name (typed, or chosen with Browse…), a size from the list or
// typed as WxH, for a film its generations per second, and whether a
// caption and the population chart go with the board. A name typed
// without a folder goes into the folder offered. OK keeps the
// dialog up, saying why, until every field is good.
class ExportDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(ExportDialog)

public:
    enum class Kind { kPicture, kFilm };

    ExportDialog(QWidget* parent, Kind kind, const QString& title, const QString& fileName, FilmSize size, int rate,
                 FilmExtras extras);

    [[nodiscard]] QString fileName() const;
    [[nodiscard]] FilmSize size() const { return size_; }
    [[nodiscard]] int rate() const;
    [[nodiscard]] FilmExtras extras() const;
    // For a film, the kind its name's ending asks for.
    [[nodiscard]] FilmKind filmKind() const { return filmKind_; }

    void accept() override;

private:
    void browse();

    Kind kind_;
    // Where a name typed without a folder goes: the folder offered.
    QString folder_;
    QLineEdit* name_;
    QComboBox* sizes_;
    QSpinBox* rate_ = nullptr;
    QCheckBox* caption_;
    QCheckBox* chart_;
    QLabel* problem_;
    FilmSize size_;
    FilmKind filmKind_ = FilmKind::kWebM;
};
