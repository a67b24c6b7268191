// Where the hot-key registry and its owner markers live, and what is refused there.
#include "core/hot_key_registry.h"
#include "core/owner_claim.h"
#include "core/private_object.h"
#include "core/shared_segment.h"
#include "tests/macroengine/support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Sets XDG_RUNTIME_DIR to a fresh folder of this user (or unsets it) for one test.
class RuntimeFolderGuard {
public:
    explicit RuntimeFolderGuard(bool withFolder, mode_t mode = 0700)
    {
        if (const char *old = std::getenv("XDG_RUNTIME_DIR"))
            m_saved = old;
        m_hadOld = std::getenv("XDG_RUNTIME_DIR") != nullptr;
        if (!withFolder) {
            unsetenv("XDG_RUNTIME_DIR");
            return;
        }
        char pattern[] = "/tmp/kyloom-runtime-XXXXXX";
        m_path = mkdtemp(pattern);
        chmod(m_path.c_str(), mode);
        setenv("XDG_RUNTIME_DIR", m_path.c_str(), 1);
    }
    ~RuntimeFolderGuard()
    {
        if (m_hadOld)
            setenv("XDG_RUNTIME_DIR", m_saved.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        if (!m_path.empty()) {
            std::error_code ignored;
            fs::remove_all(m_path, ignored);
        }
    }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
    std::string m_saved;
    bool m_hadOld = false;
};

std::string testBase() { return "kyloom-private-test." + std::to_string(getpid()); }

TEST(PrivateRegistry, LivesInTheRuntimeFolderAsAPrivateFile)
{
    RuntimeFolderGuard folder(true);
    EXPECT_EQ(SharedSegment::registryName(), folder.path() + "/Kyloom32SharedData");
    std::string why;
    const std::string name = private_object::nameFor(testBase(), why);
    ASSERT_EQ(name, folder.path() + "/" + testBase());
    SharedSegment::Error error;
    auto segment = SharedSegment::open(name, HotKeyRegistry::kBytes, error, why);
    ASSERT_TRUE(segment) << why;
    struct stat st {};
    ASSERT_EQ(lstat(name.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(st.st_size, 3072);

    // The owner markers sit beside it.
    auto claim = OwnerClaim::claim(name, 4242, why);
    ASSERT_TRUE(claim) << why;
    EXPECT_TRUE(fs::exists(name + ".owner.4242"));
    EXPECT_TRUE(OwnerClaim::isAlive(name, 4242));
    claim.reset();
    EXPECT_FALSE(fs::exists(name + ".owner.4242"));
}

// An object another local user created first under the shared-memory name does not matter
// while the runtime folder is there; without it, the refusal names the problem.
TEST(PrivateRegistry, HostileSharedMemoryObjectIsBypassedWithARuntimeFolder)
{
    std::string why;
    std::string shmName;
    {
        RuntimeFolderGuard none(false);
        shmName = private_object::nameFor(testBase(), why);
    }
    ASSERT_EQ(shmName, "/" + testBase() + "." + std::to_string(geteuid()));
    const std::string marker = shmName + ".owner.1";
    for (const std::string &hostile : {shmName, marker}) {
        const int fd = shm_open(hostile.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(fchmod(fd, 0666), 0);
        close(fd);
    }
    {
        RuntimeFolderGuard none(false);
        SharedSegment::Error error;
        EXPECT_FALSE(SharedSegment::open(private_object::nameFor(testBase(), why), HotKeyRegistry::kBytes,
                                         error, why));
        EXPECT_EQ(why, "/dev/shm" + shmName + ": it has mode 0666, not 0600");
        EXPECT_FALSE(OwnerClaim::claim(private_object::nameFor(testBase(), why), 1, why));
        EXPECT_EQ(why, "/dev/shm" + marker + ": it has mode 0666, not 0600");
    }
    {
        RuntimeFolderGuard folder(true);
        SharedSegment::Error error;
        auto segment =
            SharedSegment::open(private_object::nameFor(testBase(), why), HotKeyRegistry::kBytes, error, why);
        EXPECT_TRUE(segment) << why;
        EXPECT_TRUE(OwnerClaim::claim(private_object::nameFor(testBase(), why), 1, why)) << why;
    }
    shm_unlink(shmName.c_str());
    shm_unlink(marker.c_str());
}

struct Refusal {
    const char *what;
    mode_t mode;
    off_t size;
    bool symlink;
    const char *why;
};

class RefusedInRuntimeFolder : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedInRuntimeFolder, IsNotUsedAndTheReasonIsGiven)
{
    const Refusal &r = GetParam();
    RuntimeFolderGuard folder(true);
    const std::string name = folder.path() + "/Kyloom32SharedData";
    if (r.symlink) {
        const std::string target = folder.path() + "/elsewhere";
        close(open(target.c_str(), O_RDWR | O_CREAT, 0600));
        ASSERT_EQ(truncate(target.c_str(), 3072), 0);
        ASSERT_EQ(symlink(target.c_str(), name.c_str()), 0);
    } else {
        const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(fchmod(fd, r.mode), 0);
        ASSERT_EQ(ftruncate(fd, r.size), 0);
        close(fd);
    }
    std::string why;
    SharedSegment::Error error;
    EXPECT_FALSE(EnginePlatform::system().openRegistry(error, why));
    EXPECT_EQ(why, name + ": " + r.why) << r.what;
}

INSTANTIATE_TEST_SUITE_P(
    Objects, RefusedInRuntimeFolder,
    ::testing::Values(Refusal{"readable by others", 0644, 3072, false, "it has mode 0644, not 0600"},
                      Refusal{"writable by the group", 0620, 3072, false, "it has mode 0620, not 0600"},
                      Refusal{"too small", 0600, 100, false, "it holds 100 bytes, not 3072"},
                      Refusal{"too large", 0600, 4096, false, "it holds 4096 bytes, not 3072"},
                      Refusal{"a symbolic link", 0600, 3072, true,
                              "it cannot be opened (Too many levels of symbolic links)"}));

// The owner test cannot make a file of another user without privileges, so it checks the
// rule itself on what fstat would say.
TEST(PrivateRegistry, ObjectOfAnotherUserIsNotPrivate)
{
    struct stat st {};
    st.st_mode = S_IFREG | 0600;
    st.st_uid = geteuid() + 1;
    std::string why;
    EXPECT_FALSE(private_object::isPrivate(st, why));
    EXPECT_EQ(why, "it belongs to user " + std::to_string(geteuid() + 1) + ", not to user " +
                       std::to_string(geteuid()));
    st.st_uid = geteuid();
    EXPECT_TRUE(private_object::isPrivate(st, why));
}

TEST(PrivateRegistry, RuntimeFolderOthersCanEnterIsRefused)
{
    RuntimeFolderGuard folder(true, 0755);
    EXPECT_EQ(SharedSegment::registryName(), "");
    EXPECT_EQ(SharedSegment::registryProblem(),
              "XDG_RUNTIME_DIR " + folder.path() + ": it has mode 0755, not 0700");
    test::ReportCapture reports;
    std::string why;
    SharedSegment::Error error;
    EXPECT_FALSE(EnginePlatform::system().openRegistry(error, why));
    EXPECT_EQ(why, SharedSegment::registryProblem());
}

} // namespace
} // namespace orvane
