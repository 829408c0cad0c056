// Where the window's dialogs start when the folder last used or the user's
// own is missing (what the end-to-end check folders.sh cannot arrange), and
// where a name typed without a folder goes.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "view/user_folders.h"

namespace {

class UserFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch.isValid());
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("home/Pictures")));
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("elsewhere")));
    }
    [[nodiscard]] QString at(const char* path) const { return scratch.filePath(QString::fromUtf8(path)); }

    QTemporaryDir scratch;
};

TEST_F(UserFolders, the_folder_last_used_comes_first_while_it_is_still_a_folder) {
    EXPECT_EQ(user_folders::choose(at("elsewhere"), at("home/Pictures"), at("home")), at("elsewhere"));
    EXPECT_EQ(user_folders::choose(at("gone"), at("home/Pictures"), at("home")), at("home/Pictures"));
    QFile file(at("elsewhere/picture.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(user_folders::choose(at("elsewhere/picture.png"), at("home/Pictures"), at("home")), at("home/Pictures"));
}

TEST_F(UserFolders, without_the_users_own_folder_home_is_offered_and_nothing_is_made) {
    EXPECT_EQ(user_folders::choose(QString(), at("home/Videos"), at("home")), at("home"));
    EXPECT_FALSE(QDir(at("home/Videos")).exists());
}

TEST_F(UserFolders, a_name_typed_without_a_folder_goes_into_the_folder_offered) {
    EXPECT_EQ(QDir::fromNativeSeparators(user_folders::inFolder(at("home/Pictures"), QStringLiteral("view.png"))),
              at("home/Pictures/view.png"));
    EXPECT_EQ(user_folders::inFolder(at("home/Pictures"), at("elsewhere/view.png")), at("elsewhere/view.png"));
    EXPECT_TRUE(user_folders::inFolder(at("home/Pictures"), QString()).isEmpty());
}

}  // namespace
