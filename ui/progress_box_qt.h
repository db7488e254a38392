// The Qt progress box: shows a TProgressBox model and redraws at once on every change.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace tracklore::ui {

class TProgressBox;

class TProgressBoxQt : public QDialog {
    Q_OBJECT
public:
    explicit TProgressBoxQt(QWidget* parent);
    /// Shows `box`'s state; called by the shell after every change of the model.
    void Redraw(const TProgressBox& box);

protected:
    /// Neither Escape nor the window manager closes the box; its owner hides or closes it.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* jobDesc_;
    QLabel* steps_[3];
    QProgressBar* bar_;
};

}  // namespace tracklore::ui
