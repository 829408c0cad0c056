// Where the window's dialogs start: the folder last chosen for the kind
// while it is still there, else the user's own folder, else home; never the
// folder the program runs in. The settings and folders are the test's own.

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "view/user_folders.h"

namespace {

class UserFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.filePath(QStringLiteral("config")));
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("home/Pictures")));
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("elsewhere")));
        // The system's folders as the test's home and settings name them.
        qputenv("HOME", at("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", at("config").toUtf8());
    }
    [[nodiscard]] QString at(const char* path) const { return scratch.filePath(QString::fromUtf8(path)); }

    QTemporaryDir scratch;
};

TEST_F(UserFolders, a_remembered_folder_that_still_exists_comes_first) {
    EXPECT_EQ(user_folders::choose(at("elsewhere"), at("home/Pictures"), at("home")), at("elsewhere"));
}

TEST_F(UserFolders, a_remembered_folder_since_removed_gives_way_to_the_users_own) {
    EXPECT_EQ(user_folders::choose(at("gone"), at("home/Pictures"), at("home")), at("home/Pictures"));
    EXPECT_EQ(user_folders::choose(QString(), at("home/Pictures"), at("home")), at("home/Pictures"));
}

TEST_F(UserFolders, without_the_users_own_folder_home_is_offered_and_nothing_is_made) {
    EXPECT_EQ(user_folders::choose(QString(), at("home/Videos"), at("home")), at("home"));
    EXPECT_FALSE(QDir(at("home/Videos")).exists());
}

TEST_F(UserFolders, a_plain_file_is_no_folder_to_offer) {
    QFile file(at("elsewhere/picture.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(user_folders::choose(at("elsewhere/picture.png"), at("home/Pictures"), at("home")), at("home/Pictures"));
}

TEST_F(UserFolders, the_folder_of_a_file_saved_is_offered_for_its_kind_alone_and_kept_for_the_next_run) {
    EXPECT_EQ(QDir::fromNativeSeparators(user_folders::offered(user_folders::Kind::kPictures)), at("home/Pictures"));
    user_folders::remember(user_folders::Kind::kPictures, at("elsewhere/view.png"));
    EXPECT_EQ(QDir::fromNativeSeparators(user_folders::offered(user_folders::Kind::kPictures)), at("elsewhere"));
    // The test's home has no Videos or Documents.
    EXPECT_EQ(QDir::fromNativeSeparators(user_folders::offered(user_folders::Kind::kFilms)), at("home"));
    EXPECT_EQ(QDir::fromNativeSeparators(user_folders::offered(user_folders::Kind::kBoards)), at("home"));
    // What the next run reads: the file the settings were written to.
    const QSettings written(at("config/vivar/vivar.conf"), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("folders/pictures")).toString(), at("elsewhere"));
}

TEST_F(UserFolders, a_name_typed_without_a_folder_goes_into_the_folder_offered) {
    EXPECT_EQ(QDir::fromNativeSeparators(user_folders::inFolder(at("home/Pictures"), QStringLiteral("view.png"))),
              at("home/Pictures/view.png"));
    EXPECT_EQ(user_folders::inFolder(at("home/Pictures"), at("elsewhere/view.png")), at("elsewhere/view.png"));
    EXPECT_TRUE(user_folders::inFolder(at("home/Pictures"), QString()).isEmpty());
}

}  // namespace
