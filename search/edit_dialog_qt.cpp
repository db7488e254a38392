// The Qt "Edit entry" dialog: one labelled field per record field, and the genre box.
#include "search/edit_dialog_qt.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "core/messages.h"
#include "search/edit_dialog.h"
#include "ui/dialog_util_qt.h"
#include "ui/small_dialogs_qt.h"

namespace tracklore {

namespace {

using ui::ToQ;

// Qt's '0' is an optional digit and a trailing "; " makes the blank the placeholder. The ID
// field holds ten digits, so that every ID a catalogue can hold shows whole.
constexpr char kYearMask[] = "0000; ";
constexpr char kIdMask[] = "0000000000; ";
const QColor kSilver(0xC0, 0xC0, 0xC0);

// A labelled field; the label's mnemonic stands before `letter` in its caption.
QLineEdit* AddEdit(QDialog& dialog, QGridLayout& grid, const char* name, const char* caption,
                   const char* letter, const char* hint, const std::string& text,
                   const char* mask = nullptr) {
    const int row = grid.rowCount();
    auto* label = new QLabel(ui::WithMnemonic(caption, letter), &dialog);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(name);
    edit->setToolTip(QString::fromUtf8(hint));
    if (mask != nullptr) edit->setInputMask(mask);
    edit->setText(ToQ(text));
    edit->setModified(false);
    label->setBuddy(edit);
    grid.addWidget(label, row, 0);
    grid.addWidget(edit, row, 1);
    return edit;
}

}  // namespace

bool ExecuteEditDialogQt(QWidget* parent, TEditDialog& model) {
    QDialog dialog(parent, ui::kCloseOnlyDialogFlags);
    dialog.setObjectName("EditDialog");
    dialog.setWindowTitle(QString::fromUtf8(msg::EditEntryCaption));

    auto* grid = new QGridLayout;
    QLineEdit* id = AddEdit(dialog, *grid, "MED_ID", msg::EditIdLabel, "ID", msg::EditIdHint,
                            model.MED_ID, kIdMask);
    id->setReadOnly(true);
    id->setFocusPolicy(Qt::ClickFocus);  // the Tab key passes it by
    QPalette silver = id->palette();
    silver.setColor(QPalette::Base, kSilver);
    id->setPalette(silver);
    QLineEdit* artist = AddEdit(dialog, *grid, "ED_Artist", msg::EditArtistLabel, "Artist",
                                msg::EditArtistHint, model.ED_Artist);
    QLineEdit* album = AddEdit(dialog, *grid, "ED_Album", msg::EditAlbumLabel, "lbum",
                               msg::EditAlbumHint, model.ED_Album);
    QLineEdit* title = AddEdit(dialog, *grid, "ED_Title", msg::EditTitleLabel, "Title",
                               msg::EditTitleHint, model.ED_Title);
    QLineEdit* year = AddEdit(dialog, *grid, "MED_Year", msg::EditYearLabel, "Year",
                              msg::EditYearHint, model.MED_Year, kYearMask);

    const int genreRow = grid->rowCount();
    auto* genreLabel = new QLabel(ui::WithMnemonic(msg::EditGenreLabel, "Genre"), &dialog);
    auto* genre = new QComboBox(&dialog);
    genre->setObjectName("CB_Genre");
    genre->setToolTip(QString::fromUtf8(msg::EditGenreHint));
    genre->setEditable(true);
    genre->setInsertPolicy(QComboBox::NoInsert);
    // The genre is looked up by its exact name, so completion must not change the case of
    // what was typed ("rock" names no genre; the box would otherwise turn it into "Rock").
    genre->completer()->setCaseSensitivity(Qt::CaseSensitive);
    // The model's entries are already in the box's sorted order.
    for (const std::string& name : model.CB_GenreItems)
        genre->addItem(ToQ(name));
    genre->setEditText(ToQ(model.CB_Genre));
    genreLabel->setBuddy(genre);
    grid->addWidget(genreLabel, genreRow, 0);
    grid->addWidget(genre, genreRow, 1);

    QLineEdit* comment = AddEdit(dialog, *grid, "ED_Comment", msg::EditCommentLabel, "Comment",
                                 msg::EditCommentHint, model.ED_Comment);
    QLineEdit* volume = AddEdit(dialog, *grid, "ED_Volume", msg::EditVolumeLabel, "Volume",
                                msg::EditVolumeHint, model.ED_Volume);
    QLineEdit* filename = AddEdit(dialog, *grid, "ED_Filename", msg::EditFilenameLabel, "File",
                                  msg::EditFilenameHint, model.ED_Filename);
    grid->setColumnMinimumWidth(1, 280);

    auto* picture = new QLabel(&dialog);
    picture->setObjectName("Picture");
    picture->setPixmap(ui::ProgramIcon().pixmap(96));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    grid->addWidget(picture, 0, 2, grid->rowCount(), 1);

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok =
        buttons->addButton(QString::fromUtf8(msg::OkButton), QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setToolTip(QString::fromUtf8(msg::EditOkHint));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QString::fromUtf8(msg::PlainCancelButton), QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    cancel->setToolTip(QString::fromUtf8(msg::EditCancelHint));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    grid->addWidget(buttons, grid->rowCount(), 0, 1, 3);

    QWidget* order[] = {artist, album, title, year, genre, comment, volume, filename, ok, cancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);

    grid->setSizeConstraint(QLayout::SetFixedSize);
    dialog.setLayout(grid);
    artist->setFocus();
    ui::CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;

    // MED_ID is read-only: the model keeps its own text.
    model.ED_Artist = artist->text().toStdString();
    model.ED_Album = album->text().toStdString();
    model.ED_Title = title->text().toStdString();
    // The mask drops what is not a digit; a year the user left alone keeps its stored text
    // ("1997-98" stays, rather than becoming "1997").
    if (year->isModified()) model.MED_Year = year->text().toStdString();
    model.CB_Genre = genre->currentText().toStdString();
    model.ED_Comment = comment->text().toStdString();
    model.ED_Volume = volume->text().toStdString();
    model.ED_Filename = filename->text().toStdString();
    return true;
}

}  // namespace tracklore
