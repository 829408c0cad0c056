// Shows the scene in a real examiner viewer window and checks the frames by
// their pixels: every creature is drawn on the tile its row and column give,
// in its species' colours, and faces the heading its record holds.
//
//   render_check OUTPUT_FOLDER
//
// Run in the pictures folder, with a display. Writes scene-headings.png and
// scene-filled.png into OUTPUT_FOLDER. Exits 0 when every check holds, 1
// when one fails, 77 (skipped) without a display.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <numbers>
#include <string>
#include <system_error>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGLWidget>
#include <QImage>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/SbLinear.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoSelection.h>

#include "model/board.h"
#include "model/trace.h"
#include "view/display_update.h"
#include "view/scene.h"

namespace {

constexpr int kSkipped = 77;
constexpr int kWindowSide = 900;
constexpr std::time_t kFillSeed = 20240607;

// The hand-made board fills rows 0..7 and columns 0..7; the camera looks
// straight down on that corner from close enough for a tile to be about
// a hundred pixels wide.
constexpr int kCornerSide = 8;
constexpr float kCornerCentreX = 4.0f;
constexpr float kCornerCentreY = -3.0f;
constexpr float kCornerCameraHeight = 11.0f;

// Pixel classes. The headlight and Coin's default material darken a
// picture to about 0.84 of its colours; the ground, semi-transparent over
// the plane, stays below 80 in every channel, a creature's fur and scales
// reach well above 100 in red or green.
constexpr int kCreatureLevel = 100;
constexpr int kFootprintLevel = 60;
constexpr double kOccupiedShare = 0.04;   // of a tile's pixels
constexpr double kGreenOverRed = 1.2;     // a green lizard's mean colour
constexpr double kRedOverGreen = 1.2;     // a brown lizard's or a cat's
constexpr int kCatEyesAtLeast = 6;        // pixels, for a cat seen up close
constexpr double kFacingTolerance = 25.0; // degrees
constexpr double kLizardLeanAtLeast = 0.02;  // of a side: the head outweighs the tail
constexpr double kCatEyesOutAtLeast = 0.15;  // of a side: the eyes sit at the head end
constexpr float kBackgroundBlue = 0.3f;

// ---------------------------------------------------------------- the window

// Lets Qt and Coin's sensors run for a while, so the window is mapped and
// drawn before it is grabbed.
void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

// Lets Qt and Coin run until the window is on screen, however long a loaded
// machine takes; a minute means it never will be.
bool settleUntilShown(QWidget* window) {
    constexpr int kHangMilliseconds = 60'000;
    QElapsedTimer timer;
    timer.start();
    while (window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) {
        if (timer.elapsed() > kHangMilliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

struct Frame {
    QImage image;
    SbViewVolume volume;
};

Frame grabFrame(SoQtExaminerViewer* viewer) {
    auto* area = qobject_cast<QGLWidget*>(viewer->getGLWidget());
    if (area == nullptr) {
        return {};
    }
    viewer->render();
    // The volume as Coin renders it: the camera adjusts to the viewport, and
    // in a viewport taller than wide it widens its height to keep the width.
    const float aspect = viewer->getViewportRegion().getViewportAspectRatio();
    SbViewVolume volume = viewer->getCamera()->getViewVolume(aspect);
    if (aspect < 1.0f) {
        volume.scale(1.0f / aspect);
    }
    return {area->grabFrameBuffer().convertToFormat(QImage::Format_RGB32), volume};
}

// ---------------------------------------------------------------- the checks

int failures = 0;

void check(bool holds, const std::string& what) {
    if (!holds) {
        ++failures;
        std::printf("FAIL  %s\n", what.c_str());
    }
}

struct Point {
    double x = 0.0;
    double y = 0.0;
};

Point toPixel(const Frame& frame, float x, float y) {
    SbVec3f screen;
    frame.volume.projectToScreen(SbVec3f(x, y, 0.0f), screen);
    return {static_cast<double>(screen[0]) * frame.image.width(),
            (1.0 - static_cast<double>(screen[1])) * frame.image.height()};
}

// What one tile looks like on screen, measured inside its projected square.
struct TileLook {
    Point centre;
    double side = 0.0;
    double creatureShare = 0.0;
    double meanRed = 0.0;
    double meanGreen = 0.0;
    Point creatureCentroid;
    int eyePixels = 0;
    Point eyeCentroid;
    bool planeShowsAtCorner = false;
};

[[nodiscard]] bool isCreature(QRgb pixel) { return std::max(qRed(pixel), qGreen(pixel)) >= kCreatureLevel; }

// The creature rather than the ground it stands on: the ground, drawn under
// every creature, stays below about 35 in red and green.
[[nodiscard]] bool isFootprint(QRgb pixel) { return std::max(qRed(pixel), qGreen(pixel)) >= kFootprintLevel; }

// A cat's yellow-green eye: greener than red, far greener than blue, and
// unlike a green lizard's scales, whose red is much lower or blue higher.
[[nodiscard]] bool isCatEye(QRgb pixel) {
    const double red = qRed(pixel);
    const double green = qGreen(pixel);
    const double blue = qBlue(pixel);
    return green >= kCreatureLevel && red > 0.6 * green && red < 0.9 * green && blue < 0.4 * green;
}

[[nodiscard]] bool isPlaneBlue(QRgb pixel) { return qBlue(pixel) > qRed(pixel) + 30 && qBlue(pixel) > qGreen(pixel) + 30; }

TileLook look(const Frame& frame, int row, int column) {
    const auto r = static_cast<float>(row);
    const auto c = static_cast<float>(column);
    // The tile covers x r..r+1 and y -c..1-c.
    const Point low = toPixel(frame, r, -c);
    const Point high = toPixel(frame, r + 1.0f, 1.0f - c);
    TileLook tile;
    tile.centre = {(low.x + high.x) / 2.0, (low.y + high.y) / 2.0};
    tile.side = high.x - low.x;
    // One pixel in from each edge, where the tile's own picture is drawn.
    const int left = static_cast<int>(std::ceil(low.x)) + 1;
    const int right = static_cast<int>(std::floor(high.x)) - 1;
    const int top = static_cast<int>(std::ceil(high.y)) + 1;
    const int bottom = static_cast<int>(std::floor(low.y)) - 1;

    int pixels = 0;
    int creature = 0;
    int footprint = 0;
    double red = 0.0;
    double green = 0.0;
    Point footprintSum;
    Point eyeSum;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const QRgb pixel = frame.image.pixel(x, y);
            ++pixels;
            if (isCreature(pixel)) {
                ++creature;
                red += qRed(pixel);
                green += qGreen(pixel);
            }
            if (isFootprint(pixel)) {
                ++footprint;
                footprintSum.x += x;
                footprintSum.y += y;
            }
            if (isCatEye(pixel)) {
                ++tile.eyePixels;
                eyeSum.x += x;
                eyeSum.y += y;
            }
        }
    }
    tile.creatureShare = pixels > 0 ? static_cast<double>(creature) / pixels : 0.0;
    if (creature > 0) {
        tile.meanRed = red / creature;
        tile.meanGreen = green / creature;
    }
    if (footprint > 0) {
        tile.creatureCentroid = {footprintSum.x / footprint, footprintSum.y / footprint};
    }
    if (tile.eyePixels > 0) {
        tile.eyeCentroid = {eyeSum.x / tile.eyePixels, eyeSum.y / tile.eyePixels};
    }
    tile.planeShowsAtCorner = isPlaneBlue(frame.image.pixel(left, top));
    return tile;
}

// Direction from the tile's centre to a point, in degrees counter-clockwise
// from screen right, and its length as a share of the tile's side.
struct Lean {
    double degrees;
    double share;
};

Lean leanOf(const TileLook& tile, Point towards) {
    const double dx = towards.x - tile.centre.x;
    const double dy = tile.centre.y - towards.y;  // screen up is image up
    return {std::atan2(dy, dx) * 180.0 / std::numbers::pi, std::hypot(dx, dy) / tile.side};
}

[[nodiscard]] double angleBetween(double a, double b) {
    const double difference = std::fmod(std::fabs(a - b), 360.0);
    return difference > 180.0 ? 360.0 - difference : difference;
}

// Heading h faces (h - 1) * 45 degrees counter-clockwise from +x, which the
// camera shows as screen right.
[[nodiscard]] double facingOf(int heading) { return (heading - 1) * 45.0; }

std::string describe(int row, int column, const CellState& cell) {
    return "row " + std::to_string(row) + " column " + std::to_string(column) + " (kind " +
           std::to_string(cell.kind) + ", heading " + std::to_string(cell.direction) + ", phase " +
           std::to_string(cell.phase) + ")";
}

// The tile of a square shows the square's occupant, in its species' colours,
// and, when asked and the occupant is an adult, facing its heading.
void checkTile(const Frame& frame, int row, int column, bool checkFacing) {
    const CellState& cell = board[board.indexOf(row, column)];
    const TileLook tile = look(frame, row, column);
    const std::string where = describe(row, column, cell);

    const bool occupied = tile.creatureShare >= kOccupiedShare;
    check(occupied == (cell.kind != kEmpty), where + ": " + (occupied ? "something is drawn" : "nothing is drawn") +
                                                 " (creature share " + std::to_string(tile.creatureShare) + ")");
    if (cell.kind == kEmpty || !occupied) {
        return;
    }
    const bool eating = cell.kind == kCat && cell.eating == 1;
    const bool green = tile.meanGreen > kGreenOverRed * tile.meanRed;
    const bool reddish = tile.meanRed > kRedOverGreen * tile.meanGreen;
    if (cell.kind == kLizard2) {
        check(green, where + ": not green");
    } else if (!eating) {
        check(reddish, where + ": not brown or orange");
    }
    const bool adult = cell.juvenile != 1 && !eating;
    if (!checkFacing || !adult) {
        return;
    }
    if (cell.kind == kCat) {
        check(tile.eyePixels >= kCatEyesAtLeast, where + ": no cat's eyes");
    } else {
        check(tile.eyePixels < kCatEyesAtLeast, where + ": a lizard with a cat's eyes");
    }

    // A lizard's head and body outweigh its thin tail; a cat's eyes are at
    // its head.
    const bool cat = cell.kind == kCat;
    const Lean lean = cat ? leanOf(tile, tile.eyeCentroid) : leanOf(tile, tile.creatureCentroid);
    const double expected = facingOf(cell.direction);
    std::printf("%-48s faces %6.1f degrees (expected %5.1f), lean %.3f of a side\n", where.c_str(), lean.degrees,
                expected, lean.share);
    check(angleBetween(lean.degrees, expected) <= kFacingTolerance,
          where + ": faces " + std::to_string(lean.degrees) + " degrees, not " + std::to_string(expected));
    check(lean.share >= (cat ? kCatEyesOutAtLeast : kLizardLeanAtLeast), where + ": no clear facing");
}

// ---------------------------------------------------------------- the boards

// Rows are headings 1..8; columns 0..5 the six adult picture sets, column 6
// the two eggs and the two eating cats; the rest of the corner is empty.
void placeHeadingsBoard() {
    clearBoard();
    struct PictureSet {
        int kind;
        Flag phase;
    };
    constexpr std::array<PictureSet, 6> kAdultSets{{
        {kLizard1, 1}, {kLizard1, 0}, {kLizard2, 1}, {kLizard2, 0}, {kCat, 1}, {kCat, 0},
    }};
    for (int heading = 1; heading <= 8; ++heading) {
        for (std::size_t set = 0; set < kAdultSets.size(); ++set) {
            CellState& cell = board[board.indexOf(heading - 1, 0) + set];
            cell.kind = static_cast<std::int8_t>(kAdultSets[set].kind);
            cell.phase = kAdultSets[set].phase;
            cell.direction = static_cast<std::int8_t>(heading);
        }
    }
    constexpr int kEggsAndMealsColumn = 6;
    CellState& egg1 = board[board.indexOf(0, kEggsAndMealsColumn)];
    egg1.kind = kLizard1;
    egg1.juvenile = 1;
    CellState& egg2 = board[board.indexOf(1, kEggsAndMealsColumn)];
    egg2.kind = kLizard2;
    egg2.juvenile = 1;
    CellState& eatingLizard1 = board[board.indexOf(2, kEggsAndMealsColumn)];
    eatingLizard1.kind = kCat;
    eatingLizard1.eating = 1;
    CellState& eatingLizard2 = board[board.indexOf(3, kEggsAndMealsColumn)];
    eatingLizard2.kind = kCat;
    eatingLizard2.eating = 1;
    eatingLizard2.preyIsKind2 = 1;
}

void save(const Frame& frame, const std::filesystem::path& file) {
    check(frame.image.save(QString::fromStdString(file.string())), "could not save " + file.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "render_check: no display, skipped\n");
        return kSkipped;
    }
    const std::filesystem::path output = argc > 1 ? argv[1] : ".";
    std::error_code ignored;
    std::filesystem::create_directories(output, ignored);

    // The program's own start-up: bind, build the scene, hand it to the
    // viewer, show.
    QWidget* window = SoQt::init(argc, argv, "vivarRenderCheck");
    if (window == nullptr) {
        std::fprintf(stderr, "render_check: could not open a window\n");
        return 1;
    }
    trace::setSink(nullptr);
    placeHeadingsBoard();
    SoSelection* root = buildScene();
    auto* viewer = new SoQtExaminerViewer(window);
    viewer->setSceneGraph(root);
    viewer->setTransparencyType(SoGLRenderAction::SORTED_OBJECT_BLEND);
    window->resize(kWindowSide, kWindowSide);
    viewer->show();
    SoQt::show(window);
    check(settleUntilShown(window), "the window did not come on screen");
    settle(1000);
    // SoQt may draw only part of its area until the size is applied again.
    viewer->setSize(viewer->getSize());
    settle(300);

    // The hand-made corner, from straight above.
    SoCamera* camera = viewer->getCamera();
    camera->orientation.setValue(SbRotation::identity());
    camera->position.setValue(kCornerCentreX, kCornerCentreY, kCornerCameraHeight);
    settle(300);
    const Frame headings = grabFrame(viewer);
    const SbVec2s area = viewer->getViewportRegion().getWindowSize();
    check(!headings.image.isNull() && headings.image.width() == area[0] && headings.image.height() == area[1],
          "the grabbed frame is not the viewer's drawing area");
    if (failures > 0) {
        return 1;
    }
    save(headings, output / "scene-headings.png");
    for (int row = 0; row < kCornerSide; ++row) {
        for (int column = 0; column < kCornerSide; ++column) {
            checkTile(headings, row, column, true);
        }
    }

    // A random board, brought on screen by the display update, over a blue
    // plane, the whole board in view.
    fillBoard(kFillSeed);
    doUpdates();
    backgroundBlue = kBackgroundBlue;
    setBackgroundColor();
    viewer->viewAll();
    settle(300);
    const Frame filled = grabFrame(viewer);
    save(filled, output / "scene-filled.png");
    int planeSeen = 0;
    int creatures = 0;
    for (int row = 0; row < board.width(); ++row) {
        for (int column = 0; column < board.height(); ++column) {
            checkTile(filled, row, column, false);
            if (board[board.indexOf(row, column)].kind != kEmpty) {
                ++creatures;
                planeSeen += look(filled, row, column).planeShowsAtCorner ? 1 : 0;
            }
        }
    }
    // The plane shows through the transparent corners of the creatures'
    // pictures, and nowhere outside the board.
    check(creatures > 0 && planeSeen == creatures, "the blue plane shows behind " + std::to_string(planeSeen) +
                                                       " of " + std::to_string(creatures) + " creatures");
    const Point outside = toPixel(filled, -0.5f, 0.5f);
    check(!isPlaneBlue(filled.image.pixel(static_cast<int>(outside.x), static_cast<int>(outside.y))),
          "the plane reaches beyond the board");

    std::printf("%s: %d failed checks\n", failures == 0 ? "ok" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
