#pragma once

// The user's own folders under the XDG base directory rules, for the files a
// shared installation cannot keep for each user.

#include <string>

namespace tandrel::platform {

// Tandrel's subfolder of the base folder that `variable` (XDG_STATE_HOME,
// XDG_CONFIG_HOME) names, with trailing delimiter. The variable counts only
// when it holds an absolute path; otherwise the folder is
// $HOME/`fallback_under_home`/tandrel/. Empty when HOME is unset or relative
// too. The folder need not exist.
std::string user_folder(const char* variable, const char* fallback_under_home);

}  // namespace tandrel::platform
