#pragma once
// How the desktop's open and save dialogs are set up from a FileDialogSpec: the filters (with
// "All Files" matching every file), the start folder, the default extension on saving only,
// and a size at which the Size and Date columns can be read.

#include <QFileDialog>

#include "platform/dialogs.h"

namespace tobrisk {

enum class FileDialogMode { Open, Save };

void setUpFileDialog(QFileDialog& dialog, const FileDialogSpec& spec, FileDialogMode mode);

}  // namespace tobrisk
