#include "io/safe_file.h"

#include "full_disk.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace zembra {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const Bytes kOld = {'o', 'l', 'd'};
const Bytes kNew = {'n', 'e', 'w', ' ', 'f', 'i', 'l', 'e'};

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

unsigned modeOf(const std::string& path)
{
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

unsigned currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

class SafeFileTest : public ::testing::Test {
public:
    std::string pathOf(const std::string& name) const { return dir.path().toStdString() + "/" + name; }

protected:
    QTemporaryDir dir;
};

struct TargetCase {
    const char* what;
    // Makes what sits at the target; returns its name, empty when this machine cannot make it.
    std::function<std::string(const SafeFileTest&)> make;
    SafeFileError error;
    TargetKind kind;
    int systemError;
    // What the folder holds afterwards, and a further check of the result.
    std::set<std::string> after;
    std::function<void(const SafeFileTest&)> check;
};

class TargetTable : public SafeFileTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(TargetTable, IsWrittenOrRefusedWithTheTargetAsItWas)
{
    const TargetCase& row = GetParam();
    const std::string name = row.make(*this);
    if (name.empty()) {
        GTEST_SKIP() << "this machine cannot make " << row.what;
    }
    SafeFile file(pathOf(name));
    const bool written = WriteWholeFile(file, kNew.data(), kNew.size());
    EXPECT_EQ(written, row.error == SafeFileError::None) << file.reason();
    EXPECT_EQ(file.problem().error, row.error);
    if (row.error == SafeFileError::NotAFile) {
        EXPECT_EQ(file.problem().kind, row.kind);
    }
    EXPECT_EQ(file.problem().systemError, row.systemError) << file.reason();
    EXPECT_EQ(entries(dir.path().toStdString()), row.after) << "no temporary file is left";
    if (row.check) {
        row.check(*this);
    }
}

std::string existing(const SafeFileTest& test, const std::string& name, unsigned mode)
{
    writeBytes(test.pathOf(name), kOld);
    ::chmod(test.pathOf(name).c_str(), mode);
    return name;
}

const std::string kLongest(255 - 4, 'n');

INSTANTIATE_TEST_SUITE_P(
    SafeFile, TargetTable,
    ::testing::Values(
        TargetCase{"a new file", [](const SafeFileTest&) { return std::string("new.mid"); }, SafeFileError::None,
                   TargetKind::Missing, 0, {"new.mid"},
                   [](const SafeFileTest& fixture) {
                       EXPECT_EQ(readBytes(fixture.pathOf("new.mid")), kNew);
                       EXPECT_EQ(modeOf(fixture.pathOf("new.mid")), 0666 & ~currentUmask()) << "as any new file";
                   }},
        TargetCase{"a private file", [](const SafeFileTest& fixture) { return existing(fixture, "own.mid", 0600); },
                   SafeFileError::None, TargetKind::Regular, 0, {"own.mid"},
                   [](const SafeFileTest& fixture) {
                       EXPECT_EQ(readBytes(fixture.pathOf("own.mid")), kNew);
                       EXPECT_EQ(modeOf(fixture.pathOf("own.mid")), 0600u) << "the target's access is kept";
                   }},
        TargetCase{"a read-only file", [](const SafeFileTest& fixture) { return existing(fixture, "kept.mid", 0444); },
                   SafeFileError::ReadOnly, TargetKind::Regular, 0, {"kept.mid"},
                   [](const SafeFileTest& fixture) { EXPECT_EQ(readBytes(fixture.pathOf("kept.mid")), kOld); }},
        TargetCase{"a link",
                   [](const SafeFileTest& fixture) {
                       existing(fixture, "real.mid", 0640);
                       fs::create_symlink("real.mid", fixture.pathOf("link.mid"));
                       return std::string("link.mid");
                   },
                   SafeFileError::None, TargetKind::Regular, 0, {"link.mid", "real.mid"},
                   [](const SafeFileTest& fixture) {
                       EXPECT_TRUE(fs::is_symlink(fixture.pathOf("link.mid"))) << "the link stays a link";
                       EXPECT_EQ(readBytes(fixture.pathOf("real.mid")), kNew) << "written through to its file";
                       EXPECT_EQ(modeOf(fixture.pathOf("real.mid")), 0640u);
                   }},
        TargetCase{"a dangling link",
                   [](const SafeFileTest& fixture) {
                       fs::create_symlink("later.mid", fixture.pathOf("link.mid"));
                       return std::string("link.mid");
                   },
                   SafeFileError::None, TargetKind::Missing, 0, {"later.mid", "link.mid"},
                   [](const SafeFileTest& fixture) { EXPECT_EQ(readBytes(fixture.pathOf("later.mid")), kNew); }},
        TargetCase{"a FIFO",
                   [](const SafeFileTest& fixture) {
                       ::mkfifo(fixture.pathOf("pipe").c_str(), 0644);
                       return std::string("pipe");
                   },
                   SafeFileError::NotAFile, TargetKind::Fifo, 0, {"pipe"},
                   [](const SafeFileTest& fixture) { EXPECT_TRUE(fs::is_fifo(fixture.pathOf("pipe"))); }},
        TargetCase{"a device",
                   [](const SafeFileTest& fixture) {
                       // The null device's numbers, made in the test's own folder.
                       const bool made = ::mknod(fixture.pathOf("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
                       return made ? std::string("null") : std::string();
                   },
                   SafeFileError::NotAFile, TargetKind::Device, 0, {"null"},
                   [](const SafeFileTest& fixture) { EXPECT_TRUE(fs::is_character_file(fixture.pathOf("null"))); }},
        TargetCase{"a socket",
                   [](const SafeFileTest& fixture) {
                       sockaddr_un address{};
                       address.sun_family = AF_UNIX;
                       const std::string path = fixture.pathOf("socket");
                       if (path.size() >= sizeof address.sun_path) {
                           return std::string();
                       }
                       path.copy(address.sun_path, path.size());
                       const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                       const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
                       ::close(fd);
                       return bound ? std::string("socket") : std::string();
                   },
                   SafeFileError::NotAFile, TargetKind::Socket, 0, {"socket"}, nullptr},
        TargetCase{"a folder",
                   [](const SafeFileTest& fixture) {
                       fs::create_directory(fixture.pathOf("song.mid"));
                       return std::string("song.mid");
                   },
                   SafeFileError::NotAFile, TargetKind::Folder, 0, {"song.mid"}, nullptr},
        TargetCase{"the longest name", [](const SafeFileTest&) { return kLongest + ".mid"; }, SafeFileError::None,
                   TargetKind::Missing, 0, {kLongest + ".mid"}, nullptr},
        TargetCase{"a name past the longest", [](const SafeFileTest&) { return kLongest + ".midi"; },
                   SafeFileError::CannotCreate, TargetKind::Missing, ENAMETOOLONG, {}, nullptr},
        TargetCase{"a name that is not UTF-8", [](const SafeFileTest&) { return std::string("out\xe9.mid"); },
                   SafeFileError::None, TargetKind::Missing, 0, {"out\xe9.mid"},
                   [](const SafeFileTest& fixture) { EXPECT_EQ(readBytes(fixture.pathOf("out\xe9.mid")), kNew); }},
        TargetCase{"a missing folder", [](const SafeFileTest&) { return std::string("gone/song.mid"); },
                   SafeFileError::CannotCreate, TargetKind::Missing, ENOENT, {}, nullptr}),
    [](const ::testing::TestParamInfo<TargetCase>& test) { return "Case" + std::to_string(test.index); });

TEST_F(SafeFileTest, AFullDiskLeavesThePreviousFileAsItWas)
{
    test::FullDisk disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no tmpfs can be mounted here; the file-size limit test covers the failed write";
    }
    const std::string target = disk.out().toStdString() + "/card.pdf";
    writeBytes(target, kOld);
    disk.fill();
    const Bytes big(300000, 'x');
    SafeFile file(target);
    EXPECT_FALSE(WriteWholeFile(file, big.data(), big.size()));
    EXPECT_EQ(file.problem().error, SafeFileError::WriteFailed);
    EXPECT_EQ(file.problem().systemError, ENOSPC);
    EXPECT_EQ(readBytes(target), kOld);
    EXPECT_EQ(entries(disk.out().toStdString()), std::set<std::string>{"card.pdf"});
}

// A write that fails at any byte, before, at or past the edges of the writer's buffer, and
// whether the bytes come in small pieces or large ones.
TEST_F(SafeFileTest, AWriteFailingAtAnyByteLeavesThePreviousFile)
{
    const std::string target = pathOf("song.wav");
    writeBytes(target, kOld);
    const Bytes big(200000, 'x');
    for (const rlim_t failAt : {0, 1, 44, 65535, 65536, 65537, 199999}) {
        for (const std::size_t piece : {std::size_t{7}, std::size_t{4096}, big.size()}) {
            SafeFile file(target);
            ASSERT_TRUE(file.Open());
            rlimit previous{};
            ::getrlimit(RLIMIT_FSIZE, &previous);
            test::LimitFileSize(failAt);
            bool written = true;
            for (std::size_t at = 0; written && at < big.size(); at += piece) {
                written = file.Write(big.data() + at, std::min(piece, big.size() - at));
            }
            written = file.Commit() && written;
            ::setrlimit(RLIMIT_FSIZE, &previous);
            EXPECT_FALSE(written) << "fails at " << failAt << " in pieces of " << piece;
            EXPECT_EQ(file.problem().error, SafeFileError::WriteFailed);
            EXPECT_EQ(readBytes(target), kOld);
            EXPECT_EQ(entries(dir.path().toStdString()), std::set<std::string>{"song.wav"});
        }
    }
}

// Two exports to one target at once: each writes a file of its own, and the target is the whole of
// whichever finished last, never a splice of both.
TEST_F(SafeFileTest, TwoWritersOfOneTargetNeverSpliceTheirFiles)
{
    const std::string target = pathOf("both.wav");
    const Bytes first(100000, 'a');
    const Bytes second(70000, 'b');
    SafeFile a(target);
    SafeFile b(target);
    ASSERT_TRUE(a.Open());
    ASSERT_TRUE(b.Open());
    EXPECT_NE(a.tempPath(), b.tempPath());
    ASSERT_TRUE(a.Write(first));
    ASSERT_TRUE(b.Write(second));
    ASSERT_TRUE(b.Seek(0));
    ASSERT_TRUE(b.Write(Bytes{'B'}));
    ASSERT_TRUE(b.Commit());
    ASSERT_TRUE(a.Commit());
    EXPECT_EQ(readBytes(target), first);
    EXPECT_EQ(entries(dir.path().toStdString()), std::set<std::string>{"both.wav"});
}

} // namespace
} // namespace zembra
