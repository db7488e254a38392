// Sizes of resizable dialogs remembered while the program runs.
#include "ui/window_sizes_qt.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QSize>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <vector>

#include "ui/window_sizes.h"

namespace tracklore::ui {

namespace {

struct TSizeMemory {
    std::string Store;
    QHash<QString, QSize> Sizes;
};

TSizeMemory& Memory() {
    static TSizeMemory memory;
    return memory;
}

// Writes the window's size down when it goes out of sight.
class TSizeKeeper : public QObject {
public:
    TSizeKeeper(QWidget& window, QString key) : QObject(&window), key_(std::move(key)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
            if (auto* window = qobject_cast<QWidget*>(watched))
                Memory().Sizes[key_] = window->size();
        }
        return false;
    }

private:
    QString key_;
};

std::optional<QSize> RememberedSize(const QString& key) {
    TSizeMemory& memory = Memory();
    if (const auto known = memory.Sizes.constFind(key); known != memory.Sizes.constEnd())
        return known->isValid() ? std::optional<QSize>(*known) : std::nullopt;
    if (memory.Store.empty()) return std::nullopt;
    const std::optional<TWindowSize> stored = LoadWindowSize(memory.Store, key.toStdString());
    if (!stored) return std::nullopt;
    const QSize size(stored->Width, stored->Height);
    memory.Sizes.insert(key, size);
    return size;
}

}  // namespace

void KeepSize(QWidget& window, const QString& key) {
    if (std::optional<QSize> size = RememberedSize(key)) {
        // A size stored on a larger screen (or another layout) must still fit this one.
        const QScreen* screen = window.screen();
        if (screen == nullptr) screen = QGuiApplication::primaryScreen();
        if (screen != nullptr) *size = size->boundedTo(screen->availableGeometry().size());
        window.resize(*size);
    }
    new TSizeKeeper(window, key);
}

void SetWindowSizeStore(const std::string& registryFile) {
    Memory().Store = registryFile;
    Memory().Sizes.clear();
}

void StoreWindowSizes() {
    const TSizeMemory& memory = Memory();
    if (memory.Store.empty()) return;
    std::vector<std::pair<std::string, TWindowSize>> sizes;
    for (auto at = memory.Sizes.constBegin(); at != memory.Sizes.constEnd(); ++at)
        if (!at->isEmpty())
            sizes.emplace_back(at.key().toStdString(), TWindowSize{at->width(), at->height()});
    // In name order, so the store's text does not change with the hash's order.
    std::sort(sizes.begin(), sizes.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    SaveWindowSizes(memory.Store, sizes);
}

}  // namespace tracklore::ui
