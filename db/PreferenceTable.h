#pragma once
// The eight preferences of a virtual server, in the order their rows are created: the name
// a row carries in Description, how its value is held, and the member of PreferenceSet that
// holds it.

#include <iterator>
#include <string>

#include "db/PreferenceSet.h"

enum class PreferenceKind {
  Text,    // the row's text as it stands
  Number,  // the whole number the row's text begins with
  Flag,    // a number that a check box shows: 0 is off, any other value on
};

struct PreferenceDefinition {
  const char* name;
  PreferenceKind kind;
  std::string PreferenceSet::*text;  // for Text, else null
  int32_t PreferenceSet::*number;    // for Number and Flag, else null
};

inline constexpr PreferenceDefinition kPreferences[] = {
    {"FTP Port", PreferenceKind::Number, nullptr, &PreferenceSet::ftpPort},
    {"Welcome Message", PreferenceKind::Text, &PreferenceSet::welcomeMessage, nullptr},
    {"GoodBye Message", PreferenceKind::Text, &PreferenceSet::goodbyeMessage, nullptr},
    {"Anonymous", PreferenceKind::Flag, nullptr, &PreferenceSet::anonymous},
    {"Max Connections", PreferenceKind::Number, nullptr, &PreferenceSet::maxConnections},
    {"Max Connections Per IP", PreferenceKind::Number, nullptr, &PreferenceSet::maxConnectionsPerIp},
    {"Max Connections Per User", PreferenceKind::Number, nullptr, &PreferenceSet::maxConnectionsPerUser},
    {"Connection Timeout", PreferenceKind::Number, nullptr, &PreferenceSet::connectionTimeout},
};

inline constexpr size_t kPreferenceCount = std::size(kPreferences);
