#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Registry.h"
#include "tests/support/TemporaryFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kKeyPath = "SOFTWARE\\Orvindel\\Veltrane Server";
constexpr auto kSharedFolder = fs::perms::set_gid | fs::perms::owner_all | fs::perms::group_all;
constexpr auto kOwnerFile = fs::perms::owner_read | fs::perms::owner_write;
constexpr auto kSharedFile = kOwnerFile | fs::perms::group_read | fs::perms::group_write;
// Root's own values in a shared folder: members read them and may replace them, but cannot
// change them in place.
constexpr auto kRootsSharedFile = kOwnerFile | fs::perms::group_read;

// A number that names neither an account nor a group, so it can stand for a user or a group
// made for a test: the kernel compares numbers only, and nothing is left behind in /etc.
unsigned UnusedId(unsigned from) {
  while (getpwuid(from) || getgrgid(from)) ++from;
  return from;
}

// Runs body in a child process as uid, whose groups are its own and those given; true when
// the child became that user and body returned true.
bool RunsAs(uid_t uid, const std::vector<gid_t>& groups, const std::function<bool()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    umask(022);
    const bool became = setgroups(groups.size(), groups.data()) == 0 && setgid(uid) == 0 && setuid(uid) == 0;
    _exit(became && body() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What opening, or creating, the key at path answers; a handle made is closed.
LONG OpenResult(const std::string& path = kKeyPath, bool create = false) {
  HKEY key = nullptr;
  const LONG result = create ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &key, nullptr)
                             : RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key);
  if (key) RegCloseKey(key);
  return result;
}

// Reads the value into a buffer of `size` bytes through a handle opened for it alone; bytes
// are as many as the value holds, and the value itself when it fitted.
LONG Query(const char* name, DWORD size = 1024, std::string* bytes = nullptr) {
  HKEY key = nullptr;
  std::string buffer(size, '\0');
  LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key);
  if (result == ERROR_SUCCESS)
    result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(key);
  buffer.resize(size);
  if (bytes) *bytes = buffer;
  return result;
}
std::string Read(const char* name) {
  std::string bytes;
  return Query(name, 1024, &bytes) == ERROR_SUCCESS ? bytes : "<unread>";
}
// The first failure of writing the value through a handle opened for it alone.
LONG Write(const char* name, const std::string& bytes) {
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_ALL_ACCESS, &key);
  if (result == ERROR_SUCCESS)
    result = RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return result;
}

// Owner, group and mode of a file or folder.
std::tuple<uid_t, gid_t, unsigned> Owners(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return {status.st_uid, status.st_gid, status.st_mode & 07777};
}

class RegistryTest : public testing::Test {
 protected:
  RegistryTest() { setenv("VELTRANE_REGISTRY_ROOT", m_root.c_str(), 1); }

  fs::path KeyFolder() const { return m_root / "HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server"; }
  // A rewrite leaves no temporary file over.
  long FilesInKey() const {
    return std::distance(fs::directory_iterator(KeyFolder()), fs::directory_iterator());
  }

  TemporaryFolder m_base;
  const fs::path m_root = m_base.Path() / "store";
};

// Any bytes, and a short value replacing a long one keeps nothing of it.
TEST_F(RegistryTest, ValuesSurviveCloseAndReopen) {
  std::string everyByte;
  for (int i = 0; i < 256; ++i) everyByte += static_cast<char>(i);
  const std::string connection("DSN=Veltrane;PWD=se'cr\"et", 26);  // terminator included
  ASSERT_EQ(OpenResult(kKeyPath, true), ERROR_SUCCESS);
  ASSERT_EQ(Write("ConnectionString", std::string(3 << 20, 'x')), ERROR_SUCCESS);
  ASSERT_EQ(Write("ConnectionString", connection), ERROR_SUCCESS);
  ASSERT_EQ(Write("ComputerName", everyByte), ERROR_SUCCESS);
  EXPECT_EQ(Read("ConnectionString"), connection);
  EXPECT_EQ(Read("ComputerName"), everyByte);
  EXPECT_TRUE(fs::is_regular_file(KeyFolder() / "=ConnectionString"));  // the layout scripts rely on
}

// A missing key or value, a short buffer (which learns the size), a write that fails
// half-way (which keeps the old value), and a root that is a file.
TEST_F(RegistryTest, RefusalsAnswerTheirErrorCodesAndChangeNothing) {
  EXPECT_EQ(OpenResult(), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(OpenResult(kKeyPath, true), ERROR_SUCCESS);
  ASSERT_EQ(Write("ConnectionString", std::string(300, 'c')), ERROR_SUCCESS);
  std::string bytes;
  EXPECT_EQ(Query("ComputerName"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Query("ConnectionString", 260, &bytes), ERROR_MORE_DATA);
  EXPECT_EQ(bytes.size(), 300u);
  ASSERT_EQ(Write("ConnectionString", "PWD=secret"), ERROR_SUCCESS);

  // The file-size limit makes the write fail half-way.
  rlimit original;
  getrlimit(RLIMIT_FSIZE, &original);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit limited{4096, original.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limited);
  EXPECT_EQ(Write("ConnectionString", std::string(200000, 'b')), ERROR_DISK_FULL);
  setrlimit(RLIMIT_FSIZE, &original);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(Read("ConnectionString"), "PWD=secret");
  EXPECT_EQ(FilesInKey(), 1);

  fs::remove_all(m_root);
  std::ofstream(m_root) << "not a folder";
  EXPECT_EQ(OpenResult(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(OpenResult(kKeyPath, true), ERROR_ACCESS_DENIED);
}

// Whatever the umask, a root of the process's own is for the owner alone, and below a root
// shared with its group (as the package makes it, here with the process's own group) folders
// and files are for owner and group, folders passing the set-group-ID bit on so that what any
// member writes keeps the group.
TEST_F(RegistryTest, EverythingWrittenHasThePermissionsOfItsRoot) {
  const struct {
    mode_t root;  // 0: made by the store
    mode_t umask;
    fs::perms folders, files;
  } cases[] = {{0, 0, fs::perms::owner_all, kOwnerFile},
               {02770, 077, kSharedFolder, geteuid() == 0 ? kRootsSharedFile : kSharedFile}};
  for (const auto& c : cases) {
    fs::remove_all(m_root);
    if (c.root) {
      fs::create_directory(m_root);
      ASSERT_EQ(chmod(m_root.c_str(), c.root), 0);
    }
    const mode_t previous = umask(c.umask);
    ASSERT_EQ(OpenResult(kKeyPath, true), ERROR_SUCCESS);
    ASSERT_EQ(Write("ConnectionString", "PWD=secret"), ERROR_SUCCESS);
    ASSERT_EQ(Write("ConnectionString", "PWD=other"), ERROR_SUCCESS);
    umask(previous);
    for (const auto& entry : fs::recursive_directory_iterator(m_root))
      EXPECT_EQ(entry.status().permissions(), entry.is_directory() ? c.folders : c.files) << entry.path();
    EXPECT_EQ(fs::status(m_root).permissions(), c.root ? kSharedFolder : fs::perms::owner_all);
    EXPECT_EQ(FilesInKey(), 1);
  }
}

TEST_F(RegistryTest, AMemberOfTheGroupWhoIsNotTheOwnerReadsAndWritesAndNobodyElseReads) {
  if (geteuid() != 0) GTEST_SKIP() << "acting as other users needs root";
  const gid_t group = UnusedId(61000);
  const uid_t member = UnusedId(group + 1), outsider = UnusedId(member + 1);
  fs::permissions(m_base.Path(), fs::perms::others_exec, fs::perm_options::add);
  fs::create_directory(m_root);
  ASSERT_EQ(chown(m_root.c_str(), 0, group), 0);
  ASSERT_EQ(chmod(m_root.c_str(), 02770), 0);
  ASSERT_EQ(OpenResult(kKeyPath, true), ERROR_SUCCESS);
  ASSERT_EQ(Write("ConnectionString", "PWD=secret"), ERROR_SUCCESS);
  ASSERT_EQ(Write("ComputerName", "PWD=renamed"), ERROR_SUCCESS);

  // Writing what is there already leaves root's value as root wrote it.
  EXPECT_TRUE(RunsAs(member, {group}, [] {
    return Read("ConnectionString") == "PWD=secret" &&
           Write("ConnectionString", "PWD=secret") == ERROR_SUCCESS;
  }));
  EXPECT_EQ(Read("ConnectionString"), "PWD=secret");
  EXPECT_TRUE(RunsAs(member, {group}, [] {
    return Write("ConnectionString", "PWD=changed") == ERROR_SUCCESS &&
           OpenResult(std::string(kKeyPath) + "\\Sub", true) == ERROR_SUCCESS;
  }));
  EXPECT_TRUE(RunsAs(outsider, {}, [] { return OpenResult() == ERROR_ACCESS_DENIED; }));

  // What the member wrote belongs to the group, so every other member uses it; root reads it
  // only when told to trust the group.
  EXPECT_EQ(Query("ConnectionString"), ERROR_ACCESS_DENIED);
  setenv("VELTRANE_ROOT_TRUSTS_GROUP", "1", 1);
  EXPECT_EQ(Read("ConnectionString"), "PWD=changed");
  unsetenv("VELTRANE_ROOT_TRUSTS_GROUP");
  EXPECT_EQ(Owners(KeyFolder() / "=ConnectionString"), std::make_tuple(member, group, 0660u));
  EXPECT_EQ(Owners(KeyFolder() / "Sub"), std::make_tuple(member, group, 02770u));

  // A value of root's renamed to another name is not that value to root.
  EXPECT_TRUE(RunsAs(member, {group}, [this] {
    return rename((KeyFolder() / "=ComputerName").c_str(), (KeyFolder() / "=ConnectionString").c_str()) == 0;
  }));
  EXPECT_EQ(Query("ConnectionString"), ERROR_ACCESS_DENIED);
}

// Whoever may write in the store cannot send a writer or a reader elsewhere through a
// symbolic link, at a key's folder or at a value.
TEST_F(RegistryTest, NoSymbolicLinkIsFollowedBelowTheRoot) {
  ASSERT_EQ(OpenResult(kKeyPath, true), ERROR_SUCCESS);
  const fs::path elsewhere = m_base.Path() / "elsewhere";
  fs::create_directory(elsewhere);
  std::ofstream(elsewhere / "=ConnectionString") << "1\nDriver=/tmp/evil.so";
  fs::create_symlink(elsewhere / "=ConnectionString", KeyFolder() / "=ConnectionString");
  fs::create_symlink(elsewhere / "target", KeyFolder() / "=ComputerName");
  EXPECT_EQ(Query("ConnectionString"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Write("ComputerName", "pc1"), ERROR_SUCCESS);  // replaces the link, not its target
  EXPECT_FALSE(fs::exists(elsewhere / "target"));

  fs::rename(KeyFolder(), m_base.Path() / "moved");
  fs::create_directory_symlink(elsewhere, KeyFolder());
  EXPECT_EQ(OpenResult(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(OpenResult(std::string(kKeyPath) + "\\Sub", true), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(fs::exists(elsewhere / "Sub"));
}

}  // namespace
