// An experiment's plot drawn into a picture or an SVG text, and written.
#include "film/plot_file.h"

#include <utility>

#include <QBuffer>
#include <QImage>
#include <QTranslator>

#include "film/experiment_plot.h"
#include "film/letters_application.h"
#include "film/plot_canvas.h"
#include "platform/output_file.h"

namespace {

// The program's words in its language: vivar-sim reads its translations
// without Qt, and lends its own lookup to the module's Qt.
class LentWords final : public QTranslator {
public:
    explicit LentWords(std::string (*lookUp)(const char*, const char*)) : translate_(lookUp) {}

    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        const std::string words = translate_(context, source);
        return words == source ? QString() : QString::fromStdString(words);
    }
    [[nodiscard]] bool isEmpty() const override { return false; }

private:
    std::string (*translate_)(const char*, const char*);
};

}  // namespace

std::optional<std::string> writeExperimentPlot(const ExperimentPlotRequest& request) {
    const LettersApplication application;
    std::optional<LentWords> words;
    if (request.translate != nullptr) {
        words.emplace(request.translate);
        QCoreApplication::installTranslator(&*words);
    }
    const QRectF area(0, 0, request.width, request.height);
    std::string contents;
    PlotDrawn drawn;
    if (request.format == PlotFormat::kSvg) {
        SvgCanvas canvas(request.width, request.height);
        drawn = drawExperimentPlot(canvas, area, *request.tally, request.choice);
        contents = canvas.document();
    } else {
        QImage picture(request.width, request.height, QImage::Format_RGB32);
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            drawn = drawExperimentPlot(painter, area, *request.tally, request.choice);
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "PNG")) {
            return std::string("the picture could not be encoded as PNG");
        }
        contents.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    if (words) {
        QCoreApplication::removeTranslator(&*words);
    }
    if (request.lines != nullptr) {
        *request.lines = std::move(drawn.lines);
    }
    return platform::writeWholeFile(request.file, contents, platform::Streams::yes);
}
