// Sizes of resizable dialogs remembered while the program runs.
#include "ui/window_sizes_qt.h"

#include <QEvent>
#include <QHash>
#include <QSize>
#include <QString>
#include <QWidget>

namespace tracklore::ui {

namespace {

QHash<QString, QSize>& Sizes() {
    static QHash<QString, QSize> sizes;
    return sizes;
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
            if (auto* window = qobject_cast<QWidget*>(watched)) Sizes()[key_] = window->size();
        }
        return false;
    }

private:
    QString key_;
};

}  // namespace

void KeepSize(QWidget& window, const QString& key) {
    const auto known = Sizes().constFind(key);
    if (known != Sizes().constEnd() && known->isValid()) window.resize(*known);
    new TSizeKeeper(window, key);
}

}  // namespace tracklore::ui
