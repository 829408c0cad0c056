// Where the pictures are looked for, whatever folder the program starts in.
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "looks/picture_search.h"

namespace {

namespace fs = std::filesystem;
using Folders = std::vector<fs::path>;

PictureSearch installedAt(const fs::path& prefix) {
    PictureSearch search;
    search.workingFolder = "/home/ana/terrarium";
    search.executable = prefix / "bin/vivar";
    search.installedFromExecutableFolder = "../share/vivar/pictures";
    search.besideExecutable = "pictures";
    return search;
}

TEST(PictureFolders, areTheWorkingFolderThenTheEnvironmentThenTheInstalledOnesThenThoseBesideTheProgram) {
    PictureSearch search = installedAt("/opt/vivar");
    search.environment = "/home/ana/own pictures";
    EXPECT_EQ(pictureFolders(search), (Folders{"/home/ana/terrarium", "/home/ana/own pictures",
                                               "/opt/vivar/share/vivar/pictures", "/opt/vivar/bin/pictures"}));
}

TEST(PictureFolders, leaveOutAnUnsetEnvironmentAndNameEachFolderOnce) {
    PictureSearch search = installedAt("/usr");
    search.workingFolder = "/usr/share/vivar/pictures";
    EXPECT_EQ(pictureFolders(search), (Folders{"/usr/share/vivar/pictures", "/usr/bin/pictures"}));
    // On Windows the installed folder is the one beside the program.
    search.installedFromExecutableFolder = "pictures";
    EXPECT_EQ(pictureFolders(search), (Folders{"/usr/share/vivar/pictures", "/usr/bin/pictures"}));
}

TEST(PictureFolders, followABuildFolderWhereverItIsMovedOrCopied) {
    for (const char* build : {"/src/vivar/build", "/tmp/elsewhere/copy of build"}) {
        PictureSearch search = installedAt("/");
        search.executable = fs::path(build) / "vivar-sim";
        EXPECT_EQ(pictureFolders(search).back(), fs::path(build) / "pictures") << build;
    }
}

TEST(FindPicture, takesEachFileFromTheFirstFolderThatHasIt) {
    std::string root = (fs::temp_directory_path() / "vivar-folders-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    const Folders folders{fs::path(root) / "own", fs::path(root) / "installed"};
    for (const auto& [folder, file] :
         {std::pair{folders[0], "lch.png"}, {folders[1], "lch.png"}, {folders[1], "vacio.png"}}) {
        fs::create_directories(folder);
        std::ofstream(folder / file) << "picture";
    }
    EXPECT_EQ(findPicture("lch.png", folders), folders[0] / "lch.png");
    EXPECT_EQ(findPicture("vacio.png", folders), folders[1] / "vacio.png");
    EXPECT_EQ(findPicture("gclv.png", folders), std::nullopt);
    fs::remove_all(root);
}

}  // namespace
