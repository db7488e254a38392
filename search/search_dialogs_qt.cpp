// The Qt field search and advanced search dialogs over their models.
#include "search/search_dialogs_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <iterator>

#include "core/messages.h"
#include "search/dialog_fields.h"
#include "search/search_dialogs.h"
#include "ui/dialog_util_qt.h"
#include "ui/small_dialogs_qt.h"

namespace tracklore {

namespace {

using ui::ToQ;

std::string FromQ(const QString& text) {
    return text.toStdString();
}

// A control's hint: a tool-tip, and the status tip a status line would show.
void SetHint(QWidget* widget, const char* hint) {
    widget->setToolTip(ToQ(hint));
    widget->setStatusTip(ToQ(hint));
}

// The ID field takes up to seven digits, or a minus and six: -1 asks for every record.
constexpr char kIdMask[] = "#000000; ";
constexpr char kYearMask[] = "0000; ";

class TSearchDialogQt : public QDialog {
public:
    TSearchDialogQt(QWidget* parent, const TSearchDialog& model, ui::TShell& shell)
        : QDialog(parent, ui::kCloseOnlyDialogFlags), model_(model), shell_(shell) {
        setObjectName("SearchDialog");
        setWindowTitle(ToQ(msg::SearchDialogCaption));

        auto* info = new QLabel(ToQ(msg::SearchDialogInfo), this);
        info->setObjectName("L_Info");
        info->setWordWrap(true);
        auto* picture = new QLabel(this);
        picture->setObjectName("Image");
        picture->setPixmap(ui::ProgramIcon().pixmap(48, 48));

        auto* grid = new QGridLayout;
        id_ = AddEdit(grid, "MED_ID", msg::SearchIdLabel, msg::SearchIdHint, model.MED_ID, kIdMask);
        artist_ = AddEdit(grid, "ED_Artist", msg::SearchArtistLabel, msg::SearchArtistHint,
                          model.ED_Artist);
        album_ =
            AddEdit(grid, "ED_Album", msg::SearchAlbumLabel, msg::SearchAlbumHint, model.ED_Album);
        title_ =
            AddEdit(grid, "ED_Title", msg::SearchTitleLabel, msg::SearchTitleHint, model.ED_Title);
        year_ = AddEdit(grid, "MED_Year", msg::SearchYearLabel, msg::SearchYearHint, model.MED_Year,
                        kYearMask);

        genre_ = new QComboBox(this);
        genre_->setObjectName("CB_Genre");
        genre_->setEditable(true);
        genre_->setInsertPolicy(QComboBox::NoInsert);
        // The genre is looked up by its exact name: completion must keep the typed case
        // ("rock" names no genre; the box would otherwise turn it into "Rock").
        genre_->completer()->setCaseSensitivity(Qt::CaseSensitive);
        for (const std::string& name : GenreComboItems())
            genre_->addItem(ToQ(name));
        genre_->setCurrentIndex(genre_->findText(ToQ(model.CB_Genre), Qt::MatchExactly));
        genre_->setEditText(ToQ(model.CB_Genre));
        SetHint(genre_, msg::SearchGenreHint);
        AddRow(grid, msg::SearchGenreLabel, genre_);

        comment_ = AddEdit(grid, "ED_Comment", msg::SearchCommentLabel, msg::SearchCommentHint,
                           model.ED_Comment);
        volume_ = AddEdit(grid, "ED_Volume", msg::SearchVolumeLabel, msg::SearchVolumeHint,
                          model.ED_Volume);
        filename_ = AddEdit(grid, "ED_Filename", msg::SearchFilenameLabel, msg::SearchFilenameHint,
                            model.ED_Filename);

        auto* ok = new QPushButton(ToQ(msg::SearchOkButton), this);
        ok->setObjectName("OKBtn");
        ok->setDefault(true);
        SetHint(ok, msg::SearchOkHint);
        connect(ok, &QPushButton::clicked, this, [this] { OkClicked(); });
        auto* cancel = new QPushButton(ToQ(msg::PlainCancelButton), this);
        cancel->setObjectName("CancelBtn");
        SetHint(cancel, msg::SearchCancelHint);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

        useSelected_ = new QCheckBox(ToQ(msg::UseSelectedAmp), this);
        useSelected_->setObjectName("CKB_UseSelected");
        useSelected_->setChecked(model.CKB_UseSelected);
        useSelected_->setEnabled(model.CKB_UseSelectedEnabled);

        auto* top = new QHBoxLayout;
        top->addWidget(info, 1);
        top->addWidget(picture, 0, Qt::AlignTop);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(useSelected_);
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(top);
        layout->addLayout(grid);
        layout->addLayout(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);

        QWidget* order[] = {id_,      artist_, album_,    title_, year_,  genre_,
                            comment_, volume_, filename_, ok,     cancel, useSelected_};
        for (size_t i = 1; i < std::size(order); ++i)
            setTabOrder(order[i - 1], order[i]);
        id_->setFocus();
    }

    void ReadBack(TSearchDialog& model) const {
        model.MED_ID = FromQ(id_->text());
        model.ED_Artist = FromQ(artist_->text());
        model.ED_Album = FromQ(album_->text());
        model.ED_Title = FromQ(title_->text());
        model.MED_Year = FromQ(year_->text());
        model.CB_Genre = FromQ(genre_->currentText());
        model.ED_Comment = FromQ(comment_->text());
        model.ED_Volume = FromQ(volume_->text());
        model.ED_Filename = FromQ(filename_->text());
        model.CKB_UseSelected = useSelected_->isChecked();
    }

private:
    // Checked on a copy: the caller's model changes only when the dialog closes with OK.
    void OkClicked() {
        TSearchDialog typed = model_;
        ReadBack(typed);
        if (typed.OKBtnClick(shell_)) accept();
    }

    void AddRow(QGridLayout* grid, const char* label, QWidget* field) {
        auto* caption = new QLabel(ToQ(label), this);
        caption->setBuddy(field);
        const int row = grid->rowCount();
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
    }

    QLineEdit* AddEdit(QGridLayout* grid, const char* name, const char* label, const char* hint,
                       const std::string& text, const char* mask = nullptr) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        if (mask != nullptr) edit->setInputMask(ToQ(mask));
        edit->setText(ToQ(text));
        edit->setMinimumWidth(240);
        SetHint(edit, hint);
        AddRow(grid, label, edit);
        return edit;
    }

    const TSearchDialog& model_;
    ui::TShell& shell_;
    QLineEdit* id_;
    QLineEdit* artist_;
    QLineEdit* album_;
    QLineEdit* title_;
    QLineEdit* year_;
    QComboBox* genre_;
    QLineEdit* comment_;
    QLineEdit* volume_;
    QLineEdit* filename_;
    QCheckBox* useSelected_;
};

// The advanced search form. "&Search..." closes it only over a parsed tree; the model keeps
// the typed text, the tree and the test's result, since the form lives between uses. A
// short pause in typing checks the expression: the box turns red with the message under
// it, or green with the printed form.
class TAdvancedSearchQt : public QDialog {
    Q_OBJECT

public:
    TAdvancedSearchQt(QWidget* parent, TSearchDialog2& model, ui::TShell& shell)
        : QDialog(parent, ui::kNoButtonsDialogFlags), model_(model), shell_(shell) {
        setObjectName("SearchDialog2");
        setWindowTitle(ToQ(msg::AdvancedSearchCaption));

        auto* group = new QGroupBox(ToQ(msg::AdvancedSearchGroup), this);
        group->setObjectName("GroupBox1");
        auto* help = new QPlainTextEdit(group);
        help->setObjectName("M_inst");
        help->setReadOnly(true);
        help->setLineWrapMode(QPlainTextEdit::NoWrap);
        help->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QStringList lines;
        for (const char* line : msg::AdvancedSearchHelp)
            lines << ToQ(line);
        help->setPlainText(lines.join('\n'));
        help->setMinimumSize(560, 200);

        expr_ = new QLineEdit(ToQ(model_.E_Expr), group);
        expr_->setObjectName("E_Expr");
        exprPalette_ = expr_->palette();
        check_ = new QLabel(group);
        check_->setObjectName("L_Check");
        check_->setWordWrap(true);
        check_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        checkTimer_ = new QTimer(this);
        checkTimer_->setObjectName("T_Check");
        checkTimer_->setSingleShot(true);
        checkTimer_->setInterval(kCheckPauseMs);
        connect(checkTimer_, &QTimer::timeout, this, &TAdvancedSearchQt::CheckNow);
        connect(expr_, &QLineEdit::textChanged, checkTimer_, qOverload<>(&QTimer::start));

        auto* savedLabel = new QLabel(ToQ(msg::SavedSearchesLabel), group);
        saved_ = new QComboBox(group);
        saved_->setObjectName("CB_Saved");
        saved_->setMinimumWidth(240);
        savedLabel->setBuddy(saved_);
        FillSaved("");
        connect(saved_, &QComboBox::textActivated, this,
                [this](const QString& name) { ChooseSaved(name); });
        auto* save = new QPushButton(ToQ(msg::SaveSearchButton), group);
        save->setObjectName("B_Save");
        save->setAutoDefault(false);
        connect(save, &QPushButton::clicked, this, [this] { Save(); });
        auto* test = new QPushButton(ToQ(msg::TestButton), group);
        test->setObjectName("B_Test");
        test->setAutoDefault(false);
        connect(test, &QPushButton::clicked, this, [this] { Test(); });
        auto* testLabel = new QLabel(ToQ(msg::TestLabel), group);
        testLabel->setObjectName("L_Test");

        parsed_ = new QLabel(ToQ(model_.L_Parsed), group);
        parsed_->setObjectName("L_Parsed");
        parsed_->setWordWrap(true);
        parsed_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        parsed_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        parsed_->setAutoFillBackground(true);
        QPalette palette = parsed_->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::HighlightedText));
        parsed_->setPalette(palette);
        parsed_->setFixedSize(560, 2 * parsed_->fontMetrics().lineSpacing() + 6);

        useSelected_ = new QCheckBox(ToQ(msg::UseSelected), group);
        useSelected_->setObjectName("CKB_UseSelected");
        useSelected_->setChecked(model_.CKB_UseSelected);
        useSelected_->setEnabled(model_.CKB_UseSelectedEnabled);

        auto* search = new QPushButton(ToQ(msg::SearchButton), this);
        search->setObjectName("B_Search");
        search->setDefault(true);
        connect(search, &QPushButton::clicked, this, [this] { Search(); });
        auto* cancel = new QPushButton(ToQ(msg::CancelButton), this);
        cancel->setObjectName("B_Cancel");
        cancel->setAutoDefault(false);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

        auto* savedRow = new QHBoxLayout;
        savedRow->addWidget(savedLabel);
        savedRow->addWidget(saved_, 1);
        savedRow->addWidget(save);
        auto* exprRow = new QHBoxLayout;
        exprRow->addWidget(expr_, 1);
        exprRow->addWidget(test);
        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->addWidget(help, 1);
        groupLayout->addLayout(savedRow);
        groupLayout->addLayout(exprRow);
        groupLayout->addWidget(check_);
        groupLayout->addWidget(testLabel);
        groupLayout->addWidget(parsed_);
        groupLayout->addWidget(useSelected_);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(search);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(group);
        layout->addLayout(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);

        setTabOrder(help, saved_);
        setTabOrder(saved_, save);
        setTabOrder(save, expr_);
        setTabOrder(expr_, test);
        setTabOrder(test, useSelected_);
        setTabOrder(useSelected_, search);
        setTabOrder(search, cancel);
        expr_->setFocus();
        CheckNow();
    }

    void done(int result) override {
        model_.E_Expr = FromQ(expr_->text());
        if (!model_.FormCloseQuery(result == QDialog::Accepted)) return;
        if (result == QDialog::Accepted) model_.CKB_UseSelected = useSelected_->isChecked();
        QDialog::done(result);
    }

public slots:
    // Checks the expression now: what the pause after typing does.
    void CheckNow() {
        checkTimer_->stop();
        const TExprCheck check = CheckExpression(FromQ(expr_->text()));
        check_->setText(ToQ(check.Text));
        QPalette palette = exprPalette_;
        const char* state = "";
        if (check.State == TExprCheckState::Valid) {
            palette.setColor(QPalette::Base, QColor(0xd8, 0xf5, 0xd8));
            state = "valid";
        } else if (check.State == TExprCheckState::Invalid) {
            palette.setColor(QPalette::Base, QColor(0xfa, 0xd4, 0xd4));
            state = "invalid";
        }
        expr_->setPalette(palette);
        expr_->setProperty("check", state);
    }

private:
    static constexpr int kCheckPauseMs = 400;

    // Lists the saved searches, `current` chosen when it is one of them.
    void FillSaved(const std::string& current) {
        saved_->clear();
        for (const std::string& name : model_.CB_Saved)
            saved_->addItem(ToQ(name));
        saved_->setCurrentIndex(saved_->findText(ToQ(current), Qt::MatchFixedString));
    }

    void ChooseSaved(const QString& name) {
        if (!model_.CB_SavedSelect(FromQ(name))) return;
        expr_->setText(ToQ(model_.E_Expr));
        CheckNow();
    }

    void Save() {
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, ToQ(msg::SaveSearchCaption), ToQ(msg::SaveSearchPrompt),
                                  QLineEdit::Normal, saved_->currentText(), &ok);
        if (!ok) return;
        model_.E_Expr = FromQ(expr_->text());
        if (model_.B_SaveClick(shell_, FromQ(name))) FillSaved(FromQ(name.trimmed()));
    }

    void Test() {
        model_.E_Expr = FromQ(expr_->text());
        model_.B_TestClick();
        parsed_->setText(ToQ(model_.L_Parsed));
    }

    void Search() {
        model_.E_Expr = FromQ(expr_->text());
        if (model_.B_SearchClick(shell_)) accept();
    }

    TSearchDialog2& model_;
    ui::TShell& shell_;
    QLineEdit* expr_;
    QPalette exprPalette_;
    QLabel* check_;
    QTimer* checkTimer_;
    QComboBox* saved_;
    QLabel* parsed_;
    QCheckBox* useSelected_;
};

}  // namespace

bool ExecuteSearchDialogQt(QWidget* parent, TSearchDialog& dialog, ui::TShell& shell) {
    TSearchDialogQt form(parent, dialog, shell);
    ui::CenterOnScreen(&form);
    if (form.exec() != QDialog::Accepted) return false;
    form.ReadBack(dialog);
    return true;
}

bool ExecuteAdvancedSearchQt(QWidget* parent, TSearchDialog2& dialog, ui::TShell& shell) {
    TAdvancedSearchQt form(parent, dialog, shell);
    ui::CenterOnScreen(&form);
    return form.exec() == QDialog::Accepted;
}

}  // namespace tracklore

#include "search_dialogs_qt.moc"
