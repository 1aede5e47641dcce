#pragma once
// Every modal box and common dialog goes through this interface, so logic and GUI tests never
// block on a real modal box. Texts are UTF-8 here; the record's Windows-1252 texts are converted
// by the caller (text_encoding.h).

#include <optional>
#include <string>

namespace tobrisk {

struct FontSpec {
    std::string name;    // Windows-1252 bytes, as in the data record
    int size = 10;       // points
    unsigned style = 0;  // bits: 0 bold, 1 italic, 2 underline, 3 strike-out
    int colour = 0;      // 0x00BBGGRR, or a system colour (high bit set)
    bool operator==(const FontSpec&) const = default;
};

enum FontStyleBit : unsigned { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

struct FileDialogSpec {
    std::string title;
    std::string defaultExtension;  // without the dot
    std::string filter;            // "Name (*.dat)|*.dat|All Files (*.*)|*.*"
    std::string startFolder;
};

enum class MessageKind { Plain, Information, Warning, Error, Question };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message box with an OK button. systemModal: the reminder box, shown above every window.
    virtual void message(const std::string& caption, const std::string& text,
                         MessageKind kind = MessageKind::Plain, bool systemModal = false) = 0;
    // OK/Cancel box; true for OK. `kind` picks the icon: a question mark unless told otherwise
    // (a warning box before something that cannot be undone).
    virtual bool askOkCancel(const std::string& caption, const std::string& text,
                             MessageKind kind = MessageKind::Question) = 0;
    // Font dialog starting at `current`, sizes offered minSize..maxSize. Returns the chosen
    // font on OK, nothing on Cancel.
    virtual std::optional<FontSpec> chooseFont(const FontSpec& current, int minSize,
                                               int maxSize) = 0;
    // File dialogs: the chosen path (UTF-8), nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogSpec& spec) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogSpec& spec) = 0;
};

}  // namespace tobrisk
