#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kKeyPath = "SOFTWARE\\Orvindel\\Veltrane Server";

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/registry-test-XXXXXX";
    base_ = mkdtemp(pattern);
    root_ = base_ / "store";
    setenv("VELTRANE_REGISTRY_ROOT", root_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("VELTRANE_REGISTRY_ROOT");
    fs::remove_all(base_);
  }

  HKEY Create(const char* path = kKeyPath, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, disposition),
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
    EXPECT_EQ(size, bytes.size());
    return bytes;
  }

  fs::path base_, root_;
};

TEST_F(RegistryTest, ValuesSurviveCloseAndReopenUnderTheirOwnNames) {
  DWORD disposition = 0;
  HKEY key = Create(kKeyPath, &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  const std::string connection("DSN=Veltrane;PWD=se'cr\"et", 26);  // terminator included
  std::string everyByte;
  for (int i = 0; i < 256; ++i) everyByte += static_cast<char>(i);
  const std::string large(3 << 20, 'x');
  const std::string oddName = "../a/b\\c=%41~\n\xC3\xA9";
  const std::string longName(300, 'n'), otherLongName = std::string(299, 'n') + "m";
  ASSERT_EQ(Set(key, "ConnectionString", connection, REG_SZ), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, oddName.c_str(), everyByte), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "Large", large), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, nullptr, "unnamed"), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "Empty", ""), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, longName.c_str(), "first"), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, otherLongName.c_str(), "second"), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "Large", "shrunk"), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  key = Create(kKeyPath, &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  DWORD type = 0;
  EXPECT_EQ(Get(key, "ConnectionString", &type), connection);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(Get(key, oddName.c_str()), everyByte);
  EXPECT_EQ(Get(key, "Large"), "shrunk");
  EXPECT_EQ(Get(key, ""), "unnamed");
  EXPECT_EQ(Get(key, "Empty"), "");
  EXPECT_EQ(Get(key, longName.c_str()), "first");
  EXPECT_EQ(Get(key, otherLongName.c_str()), "second");
  EXPECT_EQ(Get(key, "connectionstring"), "<missing>");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  // The store keeps the key path as it stands.
  EXPECT_TRUE(fs::is_regular_file(root_ / "HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server/=ConnectionString"));
}

TEST_F(RegistryTest, MissingKeysValuesAndBadHandlesAnswerWithErrorCodes) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\\\Orvindel", 0, KEY_READ, &key), ERROR_INVALID_PARAMETER);

  key = Create();
  DWORD size = 16;
  BYTE buffer[16];
  EXPECT_EQ(RegQueryValueExA(key, "ComputerName", nullptr, nullptr, buffer, &size), ERROR_FILE_NOT_FOUND);
  HKEY second = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &second), ERROR_SUCCESS);
  EXPECT_NE(second, key);

  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(Set(key, "ComputerName", "x"), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(key, "ComputerName", nullptr, nullptr, buffer, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(key, nullptr, 0, KEY_READ, &second), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  // A later handle never takes a closed one's number, and other handles stay usable.
  HKEY third = Create();
  EXPECT_NE(third, key);
  EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(third), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ShortBufferGetsMoreDataAndTheNeededSize) {
  HKEY key = Create();
  ASSERT_EQ(Set(key, "ConnectionString", std::string(300, 'c')), ERROR_SUCCESS);
  BYTE buffer[260];
  std::fill(std::begin(buffer), std::end(buffer), BYTE{0xAA});
  DWORD size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "ConnectionString", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 300u);
  EXPECT_EQ(buffer[0], 0xAA);
  EXPECT_EQ(RegQueryValueExA(key, "ConnectionString", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(RegistryTest, FoldersAndFilesAreTheOwnersAlone) {
  const mode_t previous = umask(0);
  HKEY key = Create();
  ASSERT_EQ(Set(key, "ConnectionString", "PWD=secret"), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "ConnectionString", "PWD=other"), ERROR_SUCCESS);
  umask(previous);
  RegCloseKey(key);

  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    EXPECT_EQ(entry.path().filename().string().rfind(".tmp", 0), std::string::npos) << entry.path();
    const auto expected = entry.is_directory() ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write;
    EXPECT_EQ(entry.status().permissions(), expected) << entry.path();
  }
  EXPECT_EQ(fs::status(root_).permissions(), fs::perms::owner_all);
}

TEST_F(RegistryTest, AFailedWriteLeavesTheOldValueWhole) {
  HKEY key = Create();
  const std::string small(10, 's'), big(200000, 'b');
  // The file-size limit makes the write fail half-way; no temporary file may stay behind.
  ASSERT_EQ(Set(key, "Value", small), ERROR_SUCCESS);
  rlimit original;
  getrlimit(RLIMIT_FSIZE, &original);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit limited = original;
  limited.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &limited);
  const LONG status = Set(key, "Value", big);
  setrlimit(RLIMIT_FSIZE, &original);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(status, ERROR_DISK_FULL);
  EXPECT_EQ(Get(key, "Value"), small);
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server"),
                          fs::directory_iterator()),
            1);
  RegCloseKey(key);
}

TEST_F(RegistryTest, RefusesWhatTheProcessMayNotReadOrWrite) {
  // A read-only handle neither writes nor creates below itself.
  HKEY key = Create();
  HKEY readOnly = nullptr, child = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(Set(readOnly, "ComputerName", "x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExA(readOnly, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_ACCESS_DENIED);
  RegCloseKey(readOnly);
  ASSERT_EQ(Set(key, "ConnectionString", "PWD=secret"), ERROR_SUCCESS);
  RegCloseKey(key);

  // Another user cannot open the owner's store, even where the folder above it is open.
  fs::permissions(base_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
  if (geteuid() == 0) {
    const pid_t pid = fork();
    if (pid == 0) {
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
      HKEY other = nullptr;
      const LONG read = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &other);
      const LONG create = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", 0, nullptr, 0, KEY_ALL_ACCESS,
                                          nullptr, &other, nullptr);
      _exit(read == ERROR_ACCESS_DENIED && create == ERROR_ACCESS_DENIED ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  // A root that is a file can be neither read nor written.
  fs::remove_all(root_);
  std::ofstream(root_) << "not a folder";
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_ACCESS_DENIED);
}

}  // namespace
