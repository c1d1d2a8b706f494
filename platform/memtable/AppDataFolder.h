#pragma once

#include <QString>

namespace wc::mem {

// The current user's roaming application-data folder; empty when the system does not report
// one. Elsewhere than on Windows: $XDG_CONFIG_HOME when set and not empty, else $HOME/.config.
QString roamingAppDataFolder();

// The remembered login file in `folder`: joined with one separator unless the folder already
// ends in one; an empty folder gives the bare name, a file in the current directory.
QString rememberedLoginPath(const QString& folder);

} // namespace wc::mem
