#pragma once
// System sounds of the four alert kinds. Logic calls this interface; the desktop build plays
// freedesktop sound events (or the toolkit's beep), tests and the CLI record the kinds.

namespace tobrisk {

enum class AlertKind { Default, Question, Exclamation, Asterisk };

const char* alertName(AlertKind kind);  // "default", "question", "exclamation", "asterisk"

class Alerts {
  public:
    virtual ~Alerts() = default;
    virtual void play(AlertKind kind) = 0;
};

}  // namespace tobrisk
