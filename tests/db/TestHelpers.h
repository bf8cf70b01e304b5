#pragma once
// Small helpers the database tests share: rows as text, the message box just shown, and the
// session's registry values.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/RegistryKey.h"
#include "tests/support/MessageBoxRecorder.h"

using Rows = std::vector<std::vector<std::string>>;

// The one box shown since the last call, as "caption: text", led by its style and owner when
// they are not the database layer's (information icon, no owner); "N boxes" when there was not
// exactly one. Forgets the boxes.
inline std::string OneBox(MessageBoxRecorder& recorder) {
  const std::vector<RecordedBox> boxes = recorder.Boxes();
  recorder.Clear();
  if (boxes.size() != 1) return std::to_string(boxes.size()) + " boxes";
  const RecordedBox& box = boxes[0];
  const bool usual = box.style == (MB_OK | MB_ICONINFORMATION) && !box.hasOwner;
  return (usual ? "" : "[style " + std::to_string(box.style) + (box.hasOwner ? ", owned] " : "] ")) +
         box.caption + ": " + box.text;
}

inline constexpr const char* kSessionKeyPath = "SOFTWARE\\Orvindel\\Veltrane Server";

// A value of the session's registry key, or "(missing)".
inline std::string RegistryValue(const char* name) {
  RegistryKey key;
  std::string value = "(missing)";
  if (key.Open(HKEY_LOCAL_MACHINE, kSessionKeyPath, KEY_ALL_ACCESS) == ERROR_SUCCESS)
    ReadRegistryString(key, name, value);
  return value;
}

inline void SetRegistryValue(const char* name, const std::string& value) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, kSessionKeyPath), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue(value, name), ERROR_SUCCESS);
}
