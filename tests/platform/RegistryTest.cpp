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
#include <vector>

#include "platform/Registry.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kKeyPath = "SOFTWARE\\Orvindel\\Veltrane Server";
constexpr auto kSharedFolder = fs::perms::set_gid | fs::perms::owner_all | fs::perms::group_all;
constexpr auto kSharedFile =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write;
// Root's own values in a shared folder: members read them and may replace them, but cannot
// change them in place.
constexpr auto kRootsSharedFile = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;

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

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/registry-test-XXXXXX";
    m_base = mkdtemp(pattern);
    m_root = m_base / "store";
    setenv("VELTRANE_REGISTRY_ROOT", m_root.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(m_base); }

  static HKEY Open(REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, access, nullptr, &key, disposition),
        ERROR_SUCCESS);
    return key;
  }

  static LONG Set(HKEY key, const char* name, const std::string& bytes, DWORD type = REG_BINARY) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }

  // The value's bytes, read with the size protocol: ask for the size, then read.
  static std::string Get(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return "<missing>";
    std::string bytes(size, '\0');
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()), &size),
              ERROR_SUCCESS);
    return bytes;
  }

  // Every folder and file below the root has these permissions.
  void ExpectModes(fs::perms folders, fs::perms files) const {
    for (const auto& entry : fs::recursive_directory_iterator(m_root))
      EXPECT_EQ(entry.status().permissions(), entry.is_directory() ? folders : files) << entry.path();
  }

  fs::path KeyFolder() const { return m_root / "HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server"; }

  fs::path m_base, m_root;
};

TEST_F(RegistryTest, ValuesSurviveCloseAndReopenUnderTheirOwnNames) {
  std::string everyByte;
  for (int i = 0; i < 256; ++i) everyByte += static_cast<char>(i);
  // Any bytes under any name: odd characters, none at all, long ones that differ only at the end.
  const std::pair<std::string, std::string> values[] = {{"../a/b\\c=%41~\n\xC3\xA9", everyByte},
                                                        {"", "unnamed"},
                                                        {"Empty", ""},
                                                        {std::string(300, 'n'), "first"},
                                                        {std::string(299, 'n') + "m", "second"}};
  const std::string connection("DSN=Veltrane;PWD=se'cr\"et", 26);  // terminator included
  DWORD disposition = 0;
  HKEY key = Open(KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(Set(key, "ConnectionString", connection, REG_SZ), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "Large", std::string(3 << 20, 'x')), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "Large", "shrunk"), ERROR_SUCCESS);
  for (const auto& [name, bytes] : values)
    ASSERT_EQ(Set(key, name.empty() ? nullptr : name.c_str(), bytes), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  key = Open(KEY_READ, &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  DWORD type = 0;
  EXPECT_EQ(Get(key, "ConnectionString", &type), connection);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(Get(key, "Large"), "shrunk");
  for (const auto& [name, bytes] : values) EXPECT_EQ(Get(key, name.c_str()), bytes) << name.substr(0, 10);
  EXPECT_EQ(Get(key, "connectionstring"), "<missing>");
  EXPECT_TRUE(fs::is_regular_file(KeyFolder() / "=ConnectionString"));  // the key path as it stands
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

// A missing key or value, a malformed path, a short buffer (which keeps its bytes and learns
// the size) and a closed handle (whose number is never given out again).
TEST_F(RegistryTest, RefusalsAnswerTheirErrorCodes) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\\\Orvindel", 0, KEY_READ, &key),
            ERROR_INVALID_PARAMETER);

  key = Open();
  ASSERT_EQ(Set(key, "ConnectionString", std::string(300, 'c')), ERROR_SUCCESS);
  BYTE buffer[260] = {0xAA};
  DWORD size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "ComputerName", nullptr, nullptr, buffer, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "ConnectionString", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 300u);
  EXPECT_EQ(buffer[0], 0xAA);
  EXPECT_EQ(RegQueryValueExA(key, "ConnectionString", nullptr, nullptr, buffer, nullptr),
            ERROR_INVALID_PARAMETER);

  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(Set(key, "ComputerName", "x"), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  HKEY later = Open();
  EXPECT_NE(later, key);
  EXPECT_EQ(RegCloseKey(later), ERROR_SUCCESS);
}

// Whatever the umask, a root of the process's own is for the owner alone, and below a root
// shared with its group (as the package makes it, here with the process's own group) folders
// and files are for owner and group, folders passing the set-group-ID bit on so that what any
// member writes keeps the group. A rewrite leaves no file over.
TEST_F(RegistryTest, EverythingWrittenHasThePermissionsOfItsRoot) {
  const fs::perms ownerFile = fs::perms::owner_read | fs::perms::owner_write;
  const struct {
    mode_t root;  // 0: made by the store
    mode_t umask;
    fs::perms folders, files;
  } cases[] = {{0, 0, fs::perms::owner_all, ownerFile},
               {02770, 077, kSharedFolder, geteuid() == 0 ? kRootsSharedFile : kSharedFile}};
  for (const auto& c : cases) {
    fs::remove_all(m_root);
    if (c.root) {
      fs::create_directory(m_root);
      ASSERT_EQ(chmod(m_root.c_str(), c.root), 0);
    }
    const mode_t previous = umask(c.umask);
    HKEY key = Open();
    ASSERT_EQ(Set(key, "ConnectionString", "PWD=secret"), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "ConnectionString", "PWD=other"), ERROR_SUCCESS);
    umask(previous);
    RegCloseKey(key);
    ExpectModes(c.folders, c.files);
    EXPECT_EQ(fs::status(m_root).permissions(), c.root ? kSharedFolder : fs::perms::owner_all);
    EXPECT_EQ(std::distance(fs::directory_iterator(KeyFolder()), fs::directory_iterator()), 1);
  }
}

TEST_F(RegistryTest, AWriteThatFailsHalfWayLeavesTheOldValueWholeAndNoTemporaryFile) {
  HKEY key = Open();
  ASSERT_EQ(Set(key, "ConnectionString", "PWD=secret"), ERROR_SUCCESS);
  // The file-size limit makes the write fail half-way.
  rlimit original;
  getrlimit(RLIMIT_FSIZE, &original);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit limited = original;
  limited.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &limited);
  EXPECT_EQ(Set(key, "ConnectionString", std::string(200000, 'b')), ERROR_DISK_FULL);
  setrlimit(RLIMIT_FSIZE, &original);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(Get(key, "ConnectionString"), "PWD=secret");
  RegCloseKey(key);
  EXPECT_EQ(std::distance(fs::directory_iterator(KeyFolder()), fs::directory_iterator()), 1);
}

TEST_F(RegistryTest, RefusesWhatTheProcessMayNotReadOrWrite) {
  HKEY key = Open();
  RegCloseKey(key);
  HKEY readOnly = Open(KEY_READ), child = nullptr;
  EXPECT_EQ(Set(readOnly, "ComputerName", "x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExA(readOnly, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_ACCESS_DENIED);
  RegCloseKey(readOnly);

  // A root that is a file can be neither read nor written.
  fs::remove_all(m_root);
  std::ofstream(m_root) << "not a folder";
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, AMemberOfTheGroupWhoIsNotTheOwnerReadsAndWritesAndNobodyElseReads) {
  if (geteuid() != 0) GTEST_SKIP() << "acting as other users needs root";
  const gid_t group = UnusedId(61000);
  const uid_t member = UnusedId(group + 1), outsider = UnusedId(member + 1);
  fs::permissions(m_base, fs::perms::others_exec, fs::perm_options::add);
  fs::create_directory(m_root);
  ASSERT_EQ(chown(m_root.c_str(), 0, group), 0);
  ASSERT_EQ(chmod(m_root.c_str(), 02770), 0);
  HKEY key = Open();
  ASSERT_EQ(Set(key, "ConnectionString", "PWD=secret"), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "ComputerName", "PWD=renamed"), ERROR_SUCCESS);
  RegCloseKey(key);

  // Writing what is there already leaves root's value as root wrote it.
  EXPECT_TRUE(RunsAs(member, {group}, [] {
    HKEY memberKey = nullptr;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_ALL_ACCESS, &memberKey) == ERROR_SUCCESS &&
           Get(memberKey, "ConnectionString") == "PWD=secret" &&
           Set(memberKey, "ConnectionString", "PWD=secret") == ERROR_SUCCESS;
  }));
  key = Open(KEY_READ);
  EXPECT_EQ(Get(key, "ConnectionString"), "PWD=secret");
  RegCloseKey(key);

  EXPECT_TRUE(RunsAs(member, {group}, [] {
    HKEY memberKey = nullptr, sub = nullptr;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_ALL_ACCESS, &memberKey) == ERROR_SUCCESS &&
           Set(memberKey, "ConnectionString", "PWD=changed") == ERROR_SUCCESS &&
           RegCreateKeyExA(memberKey, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr) ==
               ERROR_SUCCESS;
  }));
  EXPECT_TRUE(RunsAs(outsider, {}, [] {
    HKEY outsiderKey = nullptr;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &outsiderKey) == ERROR_ACCESS_DENIED;
  }));

  // What the member wrote belongs to the group, so every other member uses it; root reads it
  // only when told to trust the group.
  key = Open(KEY_READ);
  EXPECT_EQ(Get(key, "ConnectionString"), "<missing>");
  setenv("VELTRANE_ROOT_TRUSTS_GROUP", "1", 1);
  EXPECT_EQ(Get(key, "ConnectionString"), "PWD=changed");
  unsetenv("VELTRANE_ROOT_TRUSTS_GROUP");
  RegCloseKey(key);
  struct stat value, sub;
  ASSERT_EQ(stat((KeyFolder() / "=ConnectionString").c_str(), &value), 0);
  EXPECT_EQ(value.st_uid, member);
  EXPECT_EQ(value.st_gid, group);
  EXPECT_EQ(value.st_mode & 07777, 0660u);
  ASSERT_EQ(stat((KeyFolder() / "Sub").c_str(), &sub), 0);
  EXPECT_EQ(sub.st_gid, group);
  EXPECT_EQ(sub.st_mode & 07777, 02770u);

  // A value of root's renamed to another name is not that value to root.
  EXPECT_TRUE(RunsAs(member, {group}, [this] {
    return rename((KeyFolder() / "=ComputerName").c_str(), (KeyFolder() / "=ConnectionString").c_str()) == 0;
  }));
  key = Open(KEY_READ);
  EXPECT_EQ(Get(key, "ConnectionString"), "<missing>");
  RegCloseKey(key);
}

// Whoever may write in the store cannot send a writer or a reader elsewhere through a
// symbolic link, at a key's folder or at a value.
TEST_F(RegistryTest, NoSymbolicLinkIsFollowedBelowTheRoot) {
  HKEY key = Open();
  RegCloseKey(key);
  const fs::path elsewhere = m_base / "elsewhere";
  fs::create_directory(elsewhere);
  std::ofstream(elsewhere / "=ConnectionString") << "1\nDriver=/tmp/evil.so";
  fs::create_symlink(elsewhere / "=ConnectionString", KeyFolder() / "=ConnectionString");
  fs::create_symlink(elsewhere / "target", KeyFolder() / "=ComputerName");
  key = Open(KEY_READ);
  EXPECT_EQ(Get(key, "ConnectionString"), "<missing>");
  RegCloseKey(key);
  key = Open();
  EXPECT_EQ(Set(key, "ComputerName", "pc1"), ERROR_SUCCESS);  // replaces the link, not its target
  RegCloseKey(key);
  EXPECT_FALSE(fs::exists(elsewhere / "target"));

  fs::rename(KeyFolder(), m_base / "moved");
  fs::create_directory_symlink(elsewhere, KeyFolder());
  HKEY through = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &through), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kKeyPath) + "\\Sub").c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &through, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_FALSE(fs::exists(elsewhere / "Sub"));
}

}  // namespace
