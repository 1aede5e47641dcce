#include "platform/qt/shortcut_names.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>
#include <cstring>

namespace tobrisk {

namespace {

class MenuKeyNames : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        (void)disambiguation;
        (void)n;
        if (!context || !sourceText || std::strcmp(context, "QShortcut") != 0) return {};
        static constexpr struct {
            const char* qt;
            const char* shown;
        } kNames[] = {{"Return", "Enter"}, {"Del", "Delete"}};
        for (const auto& name : kNames)
            if (std::strcmp(sourceText, name.qt) == 0) return QString::fromLatin1(name.shown);
        return {};  // every other text as Qt has it
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

void useMenuKeyNames() {
    static QPointer<MenuKeyNames> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || installed) return;
    installed = new MenuKeyNames(app);  // lives as long as the application
    QCoreApplication::installTranslator(installed);
}

}  // namespace tobrisk
