// The Qt "Settings..." dialog: colour, font, scanning and capacity pages.
#include "ui/settings_dialog_qt.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/messages.h"
#include "ui/dialog_util_qt.h"
#include "ui/settings_dialog.h"
#include "ui/view_prefs_qt.h"

namespace tracklore::ui {

namespace {

// The dialog keeps the model's encoded values, not the resolved Qt ones, so a system
// colour the user did not touch is written back as the same system colour.
class TSettingsDialog : public QDialog {
public:
    TSettingsDialog(QWidget* parent, const TSettingsBox& box) : QDialog(parent), box_(box) {
        setObjectName("TSettingsBox");
        setWindowTitle(ToQ(msg::SettingsCaption));
        setWindowFlags(kNoButtonsDialogFlags);

        auto* pages = new QTabWidget(this);
        pages->setObjectName("PageControl");
        pages->addTab(MakeUserInterfacePage(), ToQ(msg::SettingsUserInterfacePage));
        QWidget* scanning = MakeScanningPage();
        pages->addTab(scanning, ToQ(msg::SettingsScanningPage));
        pages->setCurrentWidget(scanning);

        auto* ok = new QPushButton(ToQ(msg::OkAmpButton), this);
        ok->setObjectName("B_Ok");
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        auto* cancel = new QPushButton(ToQ(msg::CancelButton), this);
        cancel->setObjectName("B_Cancel");
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        auto* help = new QPushButton(ToQ(msg::HelpEllipsisButton), this);
        help->setObjectName("B_Help");
        help->setEnabled(false);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        buttons->addWidget(help);

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(pages);
        layout->addLayout(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);

        ShowBackground();
        ShowFont();
        scanVBR_->setChecked(box_.CB_ScanVBR);
        capacity_->setValue(box_.SE_Capacity);
        openLast_->setChecked(box_.CB_OpenLast);
    }

    /// Widgets -> model: the colour and font chosen so far and the widgets' state.
    void ReadBack(TSettingsBox& box) const {
        box = box_;
        box.CB_ScanVBR = scanVBR_->isChecked();
        box.SE_Capacity = capacity_->value();
        box.CB_OpenLast = openLast_->isChecked();
    }

private:
    QWidget* MakeUserInterfacePage() {
        auto* page = new QWidget;
        page->setObjectName("TS_UserInterface");
        auto* group = new QGroupBox(ToQ(msg::SettingsViewsGroup), page);
        group->setObjectName("GB_Views");

        background_ = new QFrame(group);
        background_->setObjectName("ViewBackgroundColor");
        background_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        background_->setAutoFillBackground(true);
        background_->setFixedSize(64, 24);
        auto* chooseColor = new QPushButton(ToQ(msg::ChangeButton), group);
        chooseColor->setObjectName("ChooseColor");
        connect(chooseColor, &QPushButton::clicked, this, [this] { ChooseColor(); });

        sample_ = new QLabel(ToQ(msg::SampleText), group);
        sample_->setObjectName("L_FontColor");
        sample_->setWordWrap(true);
        sample_->setFixedWidth(200);
        auto* chooseFont = new QPushButton(ToQ(msg::ChangeButton), group);
        chooseFont->setObjectName("ChooseFont");
        connect(chooseFont, &QPushButton::clicked, this, [this] { ChooseFont(); });

        auto* grid = new QGridLayout(group);
        // Each label's mnemonic presses the "Change..." button of its row.
        auto* backgroundLabel =
            new QLabel(WithMnemonic(msg::BackgroundColorLabel, "Background"), group);
        backgroundLabel->setBuddy(chooseColor);
        auto* fontLabel = new QLabel(WithMnemonic(msg::FontAndColorLabel, "Font"), group);
        fontLabel->setBuddy(chooseFont);
        grid->addWidget(backgroundLabel, 0, 0);
        grid->addWidget(background_, 0, 1, Qt::AlignLeft);
        grid->addWidget(chooseColor, 0, 2, Qt::AlignTop);
        grid->addWidget(fontLabel, 1, 0, Qt::AlignTop);
        grid->addWidget(sample_, 1, 1);
        grid->addWidget(chooseFont, 1, 2, Qt::AlignTop);

        auto* start = new QGroupBox(ToQ(msg::SettingsStartGroup), page);
        start->setObjectName("GB_Start");
        openLast_ = new QCheckBox(ToQ(msg::OpenLastAtStart), start);
        openLast_->setObjectName("CB_OpenLast");
        auto* startLayout = new QVBoxLayout(start);
        startLayout->addWidget(openLast_);

        auto* layout = new QVBoxLayout(page);
        layout->addWidget(group);
        layout->addWidget(start);
        layout->addStretch();
        return page;
    }

    QWidget* MakeScanningPage() {
        auto* page = new QWidget;
        page->setObjectName("TS_Scanning");
        auto* group = new QGroupBox(ToQ(msg::SettingsScanVBRGroup), page);
        group->setObjectName("GB_ScanVBR");
        scanVBR_ = new QCheckBox(ToQ(msg::ScanEntireFile), group);
        scanVBR_->setObjectName("CB_ScanVBR");
        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->addWidget(scanVBR_);

        auto* capacityGroup = new QGroupBox(ToQ(msg::SettingsCapacityGroup), page);
        capacityGroup->setObjectName("GB_Capacity");
        capacity_ = new QSpinBox(capacityGroup);
        capacity_->setObjectName("SE_Capacity");
        capacity_->setRange(TPrefs::kMinCapacity, TTracklore::kMaxCapacity);
        capacity_->setSingleStep(1024);
        capacity_->setGroupSeparatorShown(true);
        capacity_->setSuffix(ToQ(msg::CapacityRecordsSuffix));
        auto* label =
            new QLabel(WithMnemonic(msg::CatalogueCapacityLabel, "pacity"), capacityGroup);
        label->setBuddy(capacity_);
        auto* capacityLayout = new QHBoxLayout(capacityGroup);
        capacityLayout->addWidget(label);
        capacityLayout->addWidget(capacity_);

        auto* layout = new QVBoxLayout(page);
        layout->addWidget(group);
        layout->addWidget(capacityGroup);
        layout->addStretch();
        return page;
    }

    void ShowBackground() {
        QPalette palette = background_->palette();
        palette.setColor(QPalette::Window, ToQColor(box_.ViewBackgroundColor));
        background_->setPalette(palette);
    }

    void ShowFont() {
        sample_->setFont(ToQFont(box_.L_FontColor));
        QPalette palette = sample_->palette();
        palette.setColor(QPalette::WindowText, ToQColor(box_.L_FontColor.Color));
        sample_->setPalette(palette);
    }

    void ChooseColor() {
        const QColor chosen =
            QColorDialog::getColor(ToQColor(box_.ViewBackgroundColor), this, QString());
        if (!chosen.isValid()) return;
        box_.ViewBackgroundColor = FromQColor(chosen);
        ShowBackground();
    }

    // Qt's font dialog has no colour, so the text colour is asked for right after it; the
    // font stays chosen when only the colour dialog is cancelled.
    void ChooseFont() {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, sample_->font(), this);
        if (!ok) return;
        const int32_t oldColor = box_.L_FontColor.Color;
        box_.L_FontColor = FromQFont(font, QColor());
        box_.L_FontColor.Color = oldColor;
        const QColor color =
            QColorDialog::getColor(ToQColor(oldColor), this, ToQ(msg::FontColorCaption));
        if (color.isValid()) box_.L_FontColor.Color = FromQColor(color);
        ShowFont();
    }

    TSettingsBox box_;
    QFrame* background_ = nullptr;
    QLabel* sample_ = nullptr;
    QCheckBox* scanVBR_ = nullptr;
    QSpinBox* capacity_ = nullptr;
    QCheckBox* openLast_ = nullptr;
};

}  // namespace

bool ExecuteSettingsBox(QWidget* parent, TSettingsBox& box) {
    TSettingsDialog dialog(parent, box);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.ReadBack(box);
    return true;
}

}  // namespace tracklore::ui
