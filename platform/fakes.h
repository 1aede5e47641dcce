#pragma once
// Test and CLI stand-ins for the platform interfaces: they record what the logic asked for and
// answer from a script, so nothing blocks and every alert and message can be checked.

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/desktop_launcher.h"
#include "platform/dialogs.h"

namespace tobrisk {

class FakeAlerts : public Alerts {
  public:
    void play(AlertKind kind) override {
        played.push_back(kind);
        if (onPlay) onPlay(kind);
    }
    std::vector<AlertKind> played;
    std::function<void(AlertKind)> onPlay;  // the CLI prints "alert: KIND"
};

class FakeClock : public Clock {
  public:
    explicit FakeClock(double t = 0) : t_(t) {}
    double now() const override { return t_; }
    void set(double t) { t_ = t; }

  private:
    double t_;
};

struct RecordedMessage {
    std::string caption;
    std::string text;
    bool question = false;
    bool systemModal = false;
    MessageKind kind = MessageKind::Plain;
};

class FakeDialogs : public Dialogs {
  public:
    void message(const std::string& caption, const std::string& text, MessageKind kind,
                 bool systemModal) override {
        messages.push_back({caption, text, false, systemModal, kind});
        if (onMessage) onMessage(messages.back());
    }
    bool askOkCancel(const std::string& caption, const std::string& text,
                     MessageKind kind) override {
        messages.push_back({caption, text, true, false, kind});
        if (onMessage) onMessage(messages.back());
        if (answers.empty()) return true;  // OK when not scripted
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<FontSpec> chooseFont(const FontSpec& current, int, int) override {
        fontRequests.push_back(current);
        if (fonts.empty()) return std::nullopt;
        auto f = fonts.front();
        fonts.pop_front();
        return f;
    }
    std::optional<std::string> openFile(const FileDialogSpec& spec) override {
        fileRequests.push_back(spec);
        return next(openPaths);
    }
    std::optional<std::string> saveFile(const FileDialogSpec& spec) override {
        fileRequests.push_back(spec);
        return next(savePaths);
    }

    std::vector<RecordedMessage> messages;
    std::vector<FontSpec> fontRequests;
    std::vector<FileDialogSpec> fileRequests;
    std::deque<bool> answers;                          // askOkCancel: true OK, false Cancel
    std::deque<std::optional<FontSpec>> fonts;         // chooseFont: nullopt = Cancel
    std::deque<std::optional<std::string>> openPaths;  // nullopt = Cancel
    std::deque<std::optional<std::string>> savePaths;
    std::function<void(const RecordedMessage&)> onMessage;

  private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

class FakeLauncher : public DesktopLauncher {
  public:
    bool hasHandler(const std::string& mimeType) override { return handlers.count(mimeType); }
    bool openDocument(const std::string& path) override {
        documents.push_back(path);
        return documentsOpen;
    }
    bool openInBrowser(const std::string& path) override {
        pages.push_back(path);
        return browserOpens;
    }

    std::set<std::string> handlers;  // MIME types with a registered application
    bool documentsOpen = true;       // whether the registered application starts
    bool browserOpens = true;
    std::vector<std::string> documents, pages;
};

}  // namespace tobrisk
