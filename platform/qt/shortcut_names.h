#pragma once
// Key names in the shortcut texts that menus show: "Enter" for the Return key and "Delete" for
// the Del key ("Ctrl+Enter", "Ctrl+Delete"), as the calculators' menus list them. Qt builds
// those texts through its translation hook, so one small translator renames the two keys for
// every menu of the application; the keys themselves are unchanged.

namespace tobrisk {

// Installs the names into the running application; later calls do nothing.
void useMenuKeyNames();

}  // namespace tobrisk
