#include "scene_environment.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include <Inventor/SoDB.h>

#include "view/scene.h"

namespace scene_environment {
namespace {

std::filesystem::path folder;
std::filesystem::path startFolder;
std::string stdoutText;

// Sends one of the process's own file descriptors into a file for as long as
// the object lives, so that Coin's and our direct writes are caught too.
class DescriptorCapture {
public:
    DescriptorCapture(std::FILE* stream, std::filesystem::path file) : stream_(stream), file_(std::move(file)) {
        std::fflush(stream_);
        saved_ = dup(fileno(stream_));
        std::FILE* target = std::fopen(file_.c_str(), "w");
        dup2(fileno(target), fileno(stream_));
        std::fclose(target);
    }
    ~DescriptorCapture() { release(); }
    DescriptorCapture(const DescriptorCapture&) = delete;
    DescriptorCapture& operator=(const DescriptorCapture&) = delete;

    std::string release() {
        if (saved_ >= 0) {
            std::fflush(stream_);
            dup2(saved_, fileno(stream_));
            close(saved_);
            saved_ = -1;
        }
        std::ifstream in(file_);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::FILE* stream_;
    std::filesystem::path file_;
    int saved_ = -1;
};

void placeCreatures() {
    clearBoard();
    CellState& lizard = board[kLizardSquare];
    lizard.kind = kLizard1;
    lizard.phase = 1;
    lizard.direction = 3;
    CellState& cat = board[kEatingCatSquare];
    cat.kind = kCat;
    cat.eating = 1;
    cat.preyIsKind2 = 1;
    board[kUnknownKindSquare].kind = kUnknownKind;
}

class SceneBuiltOnce : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vivar-scene-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        startFolder = std::filesystem::current_path();
        std::filesystem::current_path(folder);

        SoDB::init();
        placeCreatures();
        {
            // Coin alone reads no pictures, and says so for each.
            DescriptorCapture errors(stderr, folder / "stderr.txt");
            DescriptorCapture output(stdout, folder / "stdout.txt");
            buildScene();
            stdoutText = output.release();
        }
    }

    void TearDown() override {
        std::filesystem::current_path(startFolder);
        std::filesystem::remove_all(folder);
    }
};

const ::testing::Environment* const built = ::testing::AddGlobalTestEnvironment(new SceneBuiltOnce);

}  // namespace

const std::string& stdoutDuringBuild() { return stdoutText; }

}  // namespace scene_environment
