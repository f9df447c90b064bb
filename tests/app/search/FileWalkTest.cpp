// The walk over a tree the test builds: what it reports, and that every
// folder and file is reached once whatever leads to it twice.
#include "SearchTree.h"

#include "QtPrinters.h"
#include "host/FileWalk.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>

namespace {

using searchtest::SearchTree;

class Recorder : public host::WalkListener {
  public:
    bool StopRequested() override {
        return stopAfterFolders >= 0 && folders.size() > size_t(stopAfterFolders);
    }
    void FolderEntered(const std::string& path) override { folders.push_back(path); }
    void FileFound(host::WalkedFile&& file) override { files.push_back(std::move(file)); }

    // Found files as paths relative to `root`, sorted.
    QStringList Relative(const QString& root) const {
        QStringList paths;
        for (const host::WalkedFile& file : files) {
            const QString directory = QString::fromStdString(file.directory);
            paths << QDir(root).relativeFilePath(directory + u'/' +
                                                 QString::fromStdString(file.name));
        }
        paths.sort();
        return paths;
    }

    long stopAfterFolders = -1;
    std::vector<std::string> folders;
    std::vector<host::WalkedFile> files;
};

host::WalkRequest RequestFor(const QStringList& roots, const char* mask = "*.img") {
    host::WalkRequest request;
    for (const QString& root : roots)
        request.roots.push_back(QFile::encodeName(root).toStdString());
    request.mask = TNameMask(mask);
    return request;
}

TEST(FileWalk, FindsEveryImageOnceWhateverLeadsToItTwice) {
    SearchTree tree;
    tree.File("top.img", 10);
    tree.File("a/UPPER.IMG");
    tree.File("a/Mixed.Img");
    tree.File("a/b/c/deep.img");
    tree.File("a/b/not-image.img.bak");
    tree.File("a/b/img");
    tree.File("a/.img");
    tree.Folder("a/folder.img");
    tree.File("a/folder.img/inside.img");
    tree.Link("a/b/loop", "../.."); // a link back up: not followed
    tree.Link("a/b/self", ".");
    tree.Link("a/linked.img", "../top.img"); // the same file again
    ASSERT_EQ(::link(QFile::encodeName(tree.Path("top.img")).constData(),
                     QFile::encodeName(tree.Path("a/b/hard.img")).constData()),
              0);
    tree.Link("a/dangling.img", "nowhere.img");
    tree.Link("a/to-folder.img", "folder.img");

    Recorder recorder;
    // Overlapping start folders: the root, a folder inside it, the root again.
    EXPECT_TRUE(host::WalkFolders(RequestFor({tree.Root(), tree.Path("a/b"), tree.Root() + "/"}),
                                  recorder));

    EXPECT_EQ(recorder.Relative(tree.Root()),
              (QStringList{"a/.img", "a/Mixed.Img", "a/UPPER.IMG", "a/b/c/deep.img",
                           "a/folder.img/inside.img", "top.img"}));
    std::vector<std::string> folders = recorder.folders;
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(std::adjacent_find(folders.begin(), folders.end()), folders.end())
        << "a folder was walked twice";
    EXPECT_EQ(folders.size(), 5u); // root, a, a/b, a/b/c, a/folder.img
}

TEST(FileWalk, ReportsSizeTimesAndFolderAsWalked) {
    SearchTree tree;
    const QString file = tree.File("sub/disk.img", 4096);
    const timespec times[2] = {{1'600'000'000, 0}, {1'500'000'000, 0}}; // access, modification
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);

    Recorder recorder;
    EXPECT_TRUE(host::WalkFolders(RequestFor({tree.Root()}), recorder));

    ASSERT_EQ(recorder.files.size(), 1u);
    const host::WalkedFile& found = recorder.files[0];
    EXPECT_EQ(found.directory, QFile::encodeName(tree.Path("sub")).toStdString());
    EXPECT_EQ(found.name, "disk.img");
    EXPECT_EQ(found.size, 4096);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(found.accessed), 1'600'000'000);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(found.modified), 1'500'000'000);
    EXPECT_NE(found.attributes & host::kAttrArchive, 0u);
}

TEST(FileWalk, WithoutSubfoldersOnlyTheStartFolders) {
    SearchTree tree;
    tree.File("top.img");
    tree.File("sub/below.img");
    host::WalkRequest request = RequestFor({tree.Root()});
    request.recurse = false;
    Recorder recorder;
    EXPECT_TRUE(host::WalkFolders(request, recorder));
    EXPECT_EQ(recorder.Relative(tree.Root()), QStringList{"top.img"});
}

TEST(FileWalk, MissingStartFoldersAreWalkedAsNothing) {
    SearchTree tree;
    tree.File("x.img");
    Recorder recorder;
    EXPECT_TRUE(host::WalkFolders(
        RequestFor({tree.Path("missing"), tree.Path("x.img"), tree.Root()}), recorder));
    EXPECT_EQ(recorder.Relative(tree.Root()), QStringList{"x.img"});
}

TEST(FileWalk, StopEndsTheWalkEarly) {
    SearchTree tree;
    for (int i = 0; i < 20; ++i)
        tree.File(QString("d%1/x.img").arg(i));
    Recorder recorder;
    recorder.stopAfterFolders = 3;
    EXPECT_FALSE(host::WalkFolders(RequestFor({tree.Root()}), recorder));
    EXPECT_LE(recorder.folders.size(), 4u);
    EXPECT_LT(recorder.files.size(), 20u);
}

TEST(FileWalk, SkippedFileSystemsAreNotEnteredBelowTheStart) {
    SearchTree tree;
    tree.File("top.img");
    tree.File("sub/below.img");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(tree.Root()).constData(), &st), 0);
    host::WalkRequest request = RequestFor({tree.Root()});
    request.skippedFileSystems = {st.st_dev}; // the start folder itself is walked
    Recorder recorder;
    EXPECT_TRUE(host::WalkFolders(request, recorder));
    EXPECT_EQ(recorder.Relative(tree.Root()), QStringList{"top.img"});
}

// As root, folder permissions do not hold; the walk then runs in a child
// process under an unprivileged user.
TEST(FileWalk, UnreadableFoldersArePassedOver) {
    SearchTree tree;
    tree.File("open/a.img");
    tree.File("locked/b.img");
    tree.File("open/after/c.img");
    ::chmod(QFile::encodeName(tree.Root()).constData(), 0755);
    tree.Lock("locked");

    const auto walk = [&] {
        Recorder recorder;
        const bool completed = host::WalkFolders(RequestFor({tree.Root()}), recorder);
        return std::make_pair(completed, recorder.Relative(tree.Root()).join(u','));
    };
    if (::geteuid() != 0) {
        const auto [completed, found] = walk();
        EXPECT_TRUE(completed);
        EXPECT_EQ(found, "open/a.img,open/after/c.img");
        return;
    }
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const auto [completed, found] = walk();
        const QByteArray text = (completed ? "1 " : "0 ") + found.toUtf8();
        const ssize_t written = ::write(pipeFds[1], text.constData(), text.size());
        ::_exit(written == text.size() ? 0 : 3);
    }
    ::close(pipeFds[1]);
    char buffer[256] = {};
    const ssize_t length = ::read(pipeFds[0], buffer, sizeof buffer - 1);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    EXPECT_EQ(QString::fromUtf8(buffer, length), "1 open/a.img,open/after/c.img");
}

// A bind mount shows the same folders under a second path: walked once.
TEST(FileWalk, BindMountedFolderIsWalkedOnce) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "bind mounts need root";
    SearchTree tree;
    tree.File("real/x.img");
    tree.Folder("mirror");
    if (::mount(QFile::encodeName(tree.Path("real")).constData(),
                QFile::encodeName(tree.Path("mirror")).constData(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "bind mount refused: " << std::strerror(errno);
    Recorder recorder;
    const bool completed = host::WalkFolders(RequestFor({tree.Root()}), recorder);
    ::umount2(QFile::encodeName(tree.Path("mirror")).constData(), MNT_DETACH);
    EXPECT_TRUE(completed);
    EXPECT_EQ(recorder.files.size(), 1u);
}

struct AttributeCase {
    const char* name;
    const char* file;
    mode_t mode;
    uid_t owner; // -1: as created
    uint32_t expected;
    friend void PrintTo(const AttributeCase& c, std::ostream* out) { *out << c.name; }
};

class FileAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(FileAttributes, FollowTheFileAndItsOwner) {
    const AttributeCase& c = GetParam();
    if (c.owner != uid_t(-1) && ::geteuid() != 0)
        GTEST_SKIP() << "changing a file's owner needs root";
    SearchTree tree;
    const QByteArray path = QFile::encodeName(tree.File(c.file));
    ASSERT_EQ(::chmod(path.constData(), c.mode), 0);
    if (c.owner != uid_t(-1)) {
        ASSERT_EQ(::chown(path.constData(), c.owner, gid_t(-1)), 0);
    }
    host::WalkRequest request = RequestFor({tree.Root()});
    request.homeFolder = "/nonexistent-home";
    Recorder recorder;
    host::WalkFolders(request, recorder);
    ASSERT_EQ(recorder.files.size(), 1u);
    // Files made by root outside the home folder are the system's own.
    const uint32_t system =
        c.owner == uid_t(-1) && ::geteuid() == 0 ? uint32_t{host::kAttrSystem} : 0u;
    EXPECT_EQ(recorder.files[0].attributes, c.expected | system);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileAttributes,
                         ::testing::Values(AttributeCase{"Plain", "plain.img", 0644, uid_t(-1),
                                                         host::kAttrArchive},
                                           AttributeCase{"NoWriteBits", "ro.img", 0444, uid_t(-1),
                                                         host::kAttrArchive | host::kAttrReadOnly},
                                           AttributeCase{"DotName", ".hidden.img", 0644, uid_t(-1),
                                                         host::kAttrArchive | host::kAttrHidden},
                                           AttributeCase{"OwnedByRoot", "root.img", 0644, 0,
                                                         host::kAttrArchive | host::kAttrSystem},
                                           AttributeCase{"OwnedByAnother", "other.img", 0644, 65534,
                                                         host::kAttrArchive}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FileAttributes, RootsFilesInsideTheHomeFolderAreNotTheSystems) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs files owned by root";
    SearchTree tree;
    tree.File("home/user/x.img");
    host::WalkRequest request = RequestFor({tree.Root()});
    request.homeFolder = QFile::encodeName(tree.Path("home/user/")).toStdString();
    Recorder recorder;
    host::WalkFolders(request, recorder);
    ASSERT_EQ(recorder.files.size(), 1u);
    EXPECT_EQ(recorder.files[0].attributes & host::kAttrSystem, 0u);
}

struct MaskCase {
    const char* mask;
    const char* name;
    bool matches;
};

TEST(NameMask, MatchesWithoutRegardToCase) {
    const MaskCase cases[] = {
        {"*.img", "disk.img", true},       {"*.img", "DISK.IMG", true},
        {"*.img", "a.iMg", true},          {"*.img", ".img", true},
        {"*.img", "img", false},           {"*.img", "disk.img.bak", false},
        {"*.img", "disk.im", false},       {"*.img", "disk_img", false},
        {"d?sk*.IMG", "disk-1.img", true}, {"d?sk*.IMG", "dsk.img", false},
        {"*", "anything", true},           {"", "anything", true},
        {"a*b*c", "aXbYbZc", true},        {"a*b*c", "aXbYc", true},
        {"a*b*c", "aXc", false},
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(TNameMask(c.mask).Matches(c.name), c.matches) << c.mask << " / " << c.name;
}

} // namespace
