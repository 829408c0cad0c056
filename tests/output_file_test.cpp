// The one way the programs write a file: nothing that is not a regular file
// is replaced or removed, and nothing a user keeps is emptied.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/output_file.h"

namespace {

namespace fs = std::filesystem;
using platform::OutputFile;
using platform::Streams;
using platform::Writing;

// A folder of the test's own, with everything it makes in it.
struct Folder {
    fs::path path = fs::path(testing::TempDir()) /
                    ("vivar-output-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    Folder() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    [[nodiscard]] fs::path operator/(const char* name) const { return path / name; }
};

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(OutputFile, WholeContentsTakeTheFilesPlaceOnlyWhenCommittedAndAnAbandonedWriteLeavesNothing) {
    const Folder folder;
    const fs::path kept = folder / "kept.txt";
    write(kept, "old");
    {
        OutputFile file;
        ASSERT_EQ(file.open(kept, Writing::whole, Streams::no), std::nullopt);
        std::fputs("new and longer", file.stream());
        EXPECT_EQ(contentsOf(kept), "old");  // written beside it meanwhile
    }
    EXPECT_EQ(contentsOf(kept), "old");
    EXPECT_EQ(entriesIn(folder.path), 1U);

    // Through a link, the file it leads to is replaced and the link stays.
    fs::create_symlink("kept.txt", folder / "link.txt");
    EXPECT_EQ(platform::writeWholeFile(folder / "link.txt", "new", Streams::no), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(contentsOf(kept), "new");
    EXPECT_EQ(entriesIn(folder.path), 2U);
}

TEST(OutputFile, AddingNeverEmptiesAFileAndAFreshNameNeverTakesOneThatIsThere) {
    const Folder folder;
    const fs::path rows = folder / "rows.csv";
    write(rows, "a\n");
    OutputFile file;
    ASSERT_EQ(file.open(rows, Writing::adding, Streams::no), std::nullopt);
    std::fputs("b\n", file.stream());
    ASSERT_EQ(file.commit(), std::nullopt);
    EXPECT_EQ(contentsOf(rows), "a\nb\n");
    EXPECT_TRUE(file.open(rows, Writing::fresh, Streams::no).has_value());
    EXPECT_EQ(contentsOf(rows), "a\nb\n");
}

TEST(OutputFile, ADeviceOrAFifoIsWrittenIntoWhereTheFormatStreamsAndRefusedOtherwiseButNeverReplaced) {
    const Folder folder;
    // A device of the test's own: the one that discards what it is given.
    const fs::path device = folder / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "device nodes need root";
    }
    fs::create_symlink("null", folder / "picture.png");
    const std::optional<std::string> refused =
        platform::writeWholeFile(folder / "picture.png", "picture", Streams::no);
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->find("a device"), std::string::npos) << *refused;
    EXPECT_NE(refused->find("null"), std::string::npos) << *refused;
    EXPECT_EQ(platform::writeWholeFile(folder / "picture.png", "rows", Streams::yes), std::nullopt);
    EXPECT_TRUE(fs::is_character_file(device));
    EXPECT_EQ(entriesIn(folder.path), 2U);

    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Nobody reads it: told, rather than waited for.
    OutputFile file;
    ASSERT_TRUE(file.open(fifo, Writing::adding, Streams::yes).has_value());
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(file.open(fifo, Writing::whole, Streams::yes), std::nullopt);
    EXPECT_TRUE(file.intoStream());
    std::fputs("row\n", file.stream());
    ASSERT_EQ(file.commit(), std::nullopt);
    char read[8] = {};
    EXPECT_EQ(::read(reader, read, sizeof read), 4);
    ::close(reader);
    EXPECT_TRUE(file.open(fifo, Writing::whole, Streams::no).has_value());
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(OutputFile, AFolderIsRefusedAndSoIsANameInAFolderThatIsNotThere) {
    const Folder folder;
    EXPECT_TRUE(platform::writeWholeFile(folder.path, "x", Streams::yes).has_value());
    EXPECT_TRUE(fs::is_directory(folder.path));
    EXPECT_TRUE(OutputFile::refusal(folder / "none/file.csv", Streams::yes).has_value());
    EXPECT_EQ(OutputFile::refusal(folder / "file.csv", Streams::yes), std::nullopt);
    EXPECT_FALSE(fs::exists(folder / "file.csv"));
}

}  // namespace
