// The system's user-visible texts in one table. Texts with printf-like placeholders are
// formatted with Format() (core/format.h); some messages join two entries.
#pragma once

namespace tracklore::msg {

// Catalogue
inline constexpr char InvalidOpForResultSet[] = "Invalid operation \"%s\" for a result set";
inline constexpr char TooManyElements[] = "Too Many Elements!";
inline constexpr char RaiseCapacity[] =
    "To hold more records, raise \"Catalogue capacity\" under Options, Scanning (tracklore-cli: "
    "--capacity N or TRACKLORE_CAPACITY), up to 1,048,576.";
inline constexpr char RecordNotFound[] = "Requested record not found in database.";
inline constexpr char InvalidID[] =
    "The ID sent to the function is invalid - all ID's must be positive numbers in the range "
    "0..2,000,000,000";
inline constexpr char SortingEntries[] = "Sorting entries...";

// Catalogue files
inline constexpr char InvalidDatabase[] = "Invalid database, ";
inline constexpr char ErrorInHeader[] = "error in header.";
inline constexpr char InvalidVersion[] = "invalid version [%X] detected.";
inline constexpr char AlignmentError[] =
    "Invalid record header, alignment error in file at %d. File corrupted - use TrackloreFix";
inline constexpr char RecordCountMismatch[] =
    "the header counts %d records, but the file holds %d. The file may be cut short.";

// Conversions of texts to numbers
inline constexpr char InvalidInteger[] = "'%s' is not a valid integer value";
inline constexpr char InvalidFloat[] = "'%s' is not a valid floating point value";

// CSV files
inline constexpr char NotARegularFile[] = "not a regular file";
inline constexpr char CsvLineTooLong[] =
    "Line %d of \"%s\" is longer than %d bytes, more than any record's fields can fill";

// Streams
inline constexpr char AccessNotSpecified[] =
    "Either read, write or full access must be specified in call to CreateFile";
inline constexpr char ErrorOpening[] = "Error opening \"%s\" - %s";
inline constexpr char ErrorReading[] = "Error reading from stream - %s";
inline constexpr char ErrorWriting[] = "Error writing to stream - %s";
inline constexpr char ReadLessThanExpected[] = "Read less than expected";
inline constexpr char InPlaceNotKept[] =
    "\"%s\" can only be saved in place, and its present contents could not be kept: %s";
inline constexpr char InPlaceNotRestored[] =
    "%s. The previous contents of \"%s\" could not be put back: %s";
inline constexpr char IoError[] = "IO-error: %s";
inline constexpr char ErrorMovingPointer[] = "Error moving file pointer - %s";
inline constexpr char ErrorTruncating[] = "Error truncating file \"%s\" - %s";
inline constexpr char ErrorClosing[] = "Error closing \"%s\" - %s";
inline constexpr char ErrorDeleting[] = "Error deleting \"%s\" - %s";
inline constexpr char NoErrorDescription[] = "Error occured. Error description not available!";
inline constexpr char InvalidBufferSize[] = "Invalid buffer size";

// Compression
inline constexpr char BadCompressionParameters[] = "Bad compression parameters";
inline constexpr char NotOpenForWrite[] = "Stream not open for write";
inline constexpr char CannotRead[] = "Cannot read from stream";

// MPEG audio headers
inline constexpr char MPEGTooSmall[] = "Invalid MPEG-l3 file - too small for header (<4 bytes)";
inline constexpr char MPEGHeaderNotFound[] = "Invalid MPEG-l3 file - header not found in stream";
inline constexpr char MPEGHeaderInvalid[] = "Invalid MPEG-l3 file - header found was invalid";

// Tags
inline constexpr char FileNotFound[] = "%s: File not found!";
inline constexpr char FrameAddedUnderOtherID[] = "Tried to add a %s-frame as being a %.4s-frame";
inline constexpr char FrameOfWrongKind[] =
    "Someone tried to create %.4s-frame with something that handles %.4s-frames";
inline constexpr char UnsupportedVersion[] = "Unsupported version encountered!";
inline constexpr char ChunkSizeMismatch[] =
    "A chunck in the file %s has a mismatching size of %d where %d remaining";
inline constexpr char InvalidChunkType[] =
    "%s: %.4s is an invalid chunk type (did I get out of synch?)";
inline constexpr char TagIsBuggy[] = "An error occured while parsing the data - tag is buggy";
inline constexpr char UnsupportedEncoding[] = "Unsupported encoding %d";

// Main window
inline constexpr char AppTitle[] = "Corvane Tracklore";
inline constexpr char Untitled[] = "Untitled";
inline constexpr char FailedToOpen[] = "Failed to open the database in the file \"%s\" - %s";
inline constexpr char FileModifiedOnClose[] =
    "File has been modified - do you wish to save changes?";
inline constexpr char ScanningFile[] = "Scanning: ";
inline constexpr char ScanningFilesDone[] = " (%d files)";
inline constexpr char ScanningOneFileDone[] = " (1 file)";
inline constexpr char ScanCancelled[] = "Scan cancelled: %d files added";
inline constexpr char ScanCancelledOneFile[] = "Scan cancelled: 1 file added";
inline constexpr char CouldNotReadPrefs[] =
    "Could not read preferences from registry. If this is the first time you run this "
    "application, ignore this message; otherwise it may be caused by a bad installation.";

// File commands
inline constexpr char SaveBeforeReset[] =
    "Changes not saved. Do you want to save changes before resetting database?";
inline constexpr char SaveBeforeOpen[] =
    "Changes not saved. Do you want to save changes before opening another database? "
    "(changes lost if no)";
inline constexpr char LoadingDatabase[] = "Loading database from file: %s";
inline constexpr char SavingDatabase[] = "Saving database to file: %s";
inline constexpr char NoItemsSelected[] = "There are no items selected in the database...";
inline constexpr char OkToOverwrite[] = "OK to overwrite %s";
inline constexpr char FilterCatalogues[] = "Tracklore catalogues";
inline constexpr char FilterCsvFiles[] = "CSV-files";
inline constexpr char FilterCommaSeparated[] = "Comma Seperated File";
inline constexpr char FilterAllFilesOpen[] = "All Files (*.*)";
inline constexpr char FilterAllFilesSave[] = "All Files (**)";

// Scanning from the window
inline constexpr char SelectFolderToScan[] = "Please select the folder, you wish to scan...";
inline constexpr char SelectFolderToUpdate[] = "Please select the folder, you wish to update...";
inline constexpr char UpdateCaption[] = "Update directory";
inline constexpr char UpdateAskRemoveMissing[] =
    "The files of these items are gone:\n\n%s\nRemove the items from the database?";
inline constexpr char UpdateSummary[] =
    "Update: %d added, %d changed, %d unchanged, %d missing, %d removed, %d failed";
inline constexpr char UpdateCancelled[] = "Update cancelled: %d added, %d changed";
inline constexpr char ScanErrorsCaption[] = "Errors during scan";
inline constexpr char ScanErrorsHeading[] = "Files not added due to errors:";
inline constexpr char ScanErrorsRule[] = "------------------------------";
inline constexpr char ScanFolderNotRead[] = "Folder could not be read: %s";
inline constexpr char ScanNotAFile[] = "Not a regular file (a pipe, socket or device): passed over";
inline constexpr char Mp3FilesFilter[] = "MPEG Layer-3 files (*.mp3)";
inline constexpr char ProgressCaption[] = "Progress...";
inline constexpr char ProgressInvalidIndex[] = "ProgressBox.Steps[] - Invalid Index";

// The Volumes page.
inline constexpr char VolumesPageCaption[] = "Volumes";
inline constexpr char VolumeShowRecordsButton[] = "&Show records";
inline constexpr char VolumeUpdateButton[] = "&Update";
inline constexpr char VolumeRemoveButton[] = "&Remove...";
inline constexpr char VolumeNotOnline[] =
    "The volume '%s' is not online: no drive searched by the player carries it now. Insert or "
    "connect it, or check the searched drives in Tools > Config Player...";
inline constexpr char VolumeOfflineHint[] =
    "Not online: no drive searched by the player carries this volume now";
inline constexpr char VolumeAskRemove[] = "Remove the %d records of volume '%s'?";
inline constexpr char VolumeAskRemoveOne[] = "Remove the 1 record of volume '%s'?";
inline constexpr char VolumeRemoveCaption[] = "Remove volume";
inline constexpr char VolumeRecordsRemoved[] = "%d records of volume '%s' removed";
inline constexpr char VolumeOneRecordRemoved[] = "1 record of volume '%s' removed";

// Views
inline constexpr char BuildingViews[] = "Building visual representations. Record: ";

// Printing
inline constexpr char PrintDialogCaption[] = "Print Database...";
inline constexpr char PrintCaption[] = "Print %s...";
inline constexpr char PrintSelectedSuffix[] = " - selected";
inline constexpr char NothingToPrint[] = "There are no items selected to print...";
inline constexpr char PrintingDatabase[] = "Printing database";
inline constexpr char DeterminingColumnWidths[] = "Determining the width of the columns";
inline constexpr char PrintingPage[] = "Printing page %d of %d pages";
inline constexpr char PrintDone[] = "Done";
inline constexpr char PrintHeader[] = "Corvane Tracklore - %s";
inline constexpr char PrintFooter[] = "Page: %d of %d";
inline constexpr char PrintFontTooLarge[] =
    "The chosen font is too large for the page: not even one row fits. Please choose a "
    "smaller font.";
inline constexpr char PrintJobFailed[] = "The printer could not start the print job.";
inline constexpr char PrintNewPageFailed[] = "The printer could not start a new page.";
inline constexpr char PrintFieldsGroup[] = " Include the following fields in print ";
inline constexpr char PrintHeaderFooterGroup[] = " Header/Footer ";
inline constexpr char PrintCellsLinesGroup[] = " Cells/Lines ";
inline constexpr char PrintHeaderBox[] = "Header";
inline constexpr char PrintFooterBox[] = "Footer";
inline constexpr char PrintSettingsButton[] = "&Settings";
inline constexpr char PrintFontButton[] = "&Font";
inline constexpr char PrintPrintButton[] = "&Print...";
inline constexpr char PrintPreviewButton[] = "P&review...";
inline constexpr char PrintPdfButton[] = "P&DF...";
inline constexpr char PrintSetupCaption[] = "Print Setup";
inline constexpr char PdfFilesFilter[] = "PDF files";

// Statistics and file info
inline constexpr char StatisticsCaption[] = "Statistics";
inline constexpr char StatisticsDatabaseGroup[] = " Database ";
inline constexpr char StatisticsGroup[] = " Statistics ";
inline constexpr char FilesInDatabaseLabel[] = "Files in database:";
inline constexpr char TotalPlaytimeLabel[] = "Total playtime:";
inline constexpr char TotalStorageSizeLabel[] = "Total storage size used on files:";
inline constexpr char DatabaseSizeLabel[] = "Database size:";
inline constexpr char TotalPlaytimeFormat[] = "%dh %dm %ds";
inline constexpr char TotalStorageSizeFormat[] = "%lldKB  =  %lldMB";
inline constexpr char SelectedFilesSize[] = "Size of selected files is: %6.2f M";
inline constexpr char OkAmpCapsButton[] = "&OK";

// Item edit dialog
inline constexpr char EditEntryCaption[] = "Edit entry";
inline constexpr char EditIdLabel[] = "ID:";
inline constexpr char EditArtistLabel[] = "Artist:";
inline constexpr char EditAlbumLabel[] = "Album:";
inline constexpr char EditTitleLabel[] = "Title:";
inline constexpr char EditYearLabel[] = "Year:";
inline constexpr char EditGenreLabel[] = "Genre:";
inline constexpr char EditCommentLabel[] = "Comment:";
inline constexpr char EditVolumeLabel[] = "Volume:";
inline constexpr char EditFilenameLabel[] = "File Name:";
inline constexpr char EditIdHint[] = "The ID of the number you are working on (cannot be changed)";
inline constexpr char EditArtistHint[] = "Enter the new artist name here";
inline constexpr char EditAlbumHint[] = "Enter the new album name here";
inline constexpr char EditTitleHint[] = "Enter the new title of the number here";
inline constexpr char EditYearHint[] = "Enter your changes to the new year here";
inline constexpr char EditGenreHint[] = "Select a new genre here";
inline constexpr char EditCommentHint[] = "Enter the new comment here";
inline constexpr char EditVolumeHint[] = "Enter the volume on which the number is located here";
inline constexpr char EditFilenameHint[] = "Enter the name of the file here";
inline constexpr char EditOkHint[] = "Accept Changes";
inline constexpr char EditCancelHint[] = "Cancel Changes";

// Settings
inline constexpr char NotARegistryFile[] = "not a REGEDIT4 registry file";
inline constexpr char SettingsTooLarge[] =
    "Error writing \"%s\" - the settings would take %lld bytes, more than the %lld a "
    "settings file may hold";
inline constexpr char SettingsCaption[] = "Settings...";
inline constexpr char ScanEntireFile[] = "Scan entire file (length for VBR)";
inline constexpr char SampleText[] = "The Quick Brown Fox Jumped Over Lazy Dogs";
inline constexpr char SettingsUserInterfacePage[] = "User Interface";
inline constexpr char SettingsScanningPage[] = "Scanning";
inline constexpr char SettingsViewsGroup[] = " Views ";
inline constexpr char SettingsScanVBRGroup[] = " Scan VBR ";
inline constexpr char SettingsCapacityGroup[] = " Catalogue capacity ";
inline constexpr char CatalogueCapacityLabel[] = "Catalogue capacity";
inline constexpr char CapacityRecordsSuffix[] = " records";
inline constexpr char BackgroundColorLabel[] = "Background color:";
inline constexpr char FontAndColorLabel[] = "Font and color:";
inline constexpr char ChangeButton[] = "Change...";
inline constexpr char FontColorCaption[] = "Font color";
inline constexpr char OkAmpButton[] = "&Ok";
inline constexpr char HelpEllipsisButton[] = "&Help...";
inline constexpr char SettingsStartGroup[] = " Start ";
inline constexpr char OpenLastAtStart[] = "Open the &last catalogue at start";

// Recent files
inline constexpr char RecentFilesMenu[] = "Open &Recent";
inline constexpr char ClearRecentFiles[] = "&Clear List";

// Status line feedback
inline constexpr char RecordsFound[] = "%d records found";
inline constexpr char OneRecordFound[] = "1 record found";
inline constexpr char PrintedTo[] = "Printed to %s";
inline constexpr char WrittenTo[] = "Written to %s";
inline constexpr char PlayingFile[] = "Playing: %s";
inline constexpr char PlayingStopped[] = "Stopped playing";

// Captions of the file dialogs that would otherwise show the toolkit's plain "Open"
inline constexpr char MergeDialogCaption[] = "Merge catalogue";
inline constexpr char AddFilesDialogCaption[] = "Add files";

// Common buttons
inline constexpr char OkButton[] = "OK";
inline constexpr char PlainCancelButton[] = "Cancel";
inline constexpr char HelpButton[] = "&Help";

// About box
inline constexpr char AboutCaption[] = "About Corvane Tracklore";
inline constexpr char AboutVersion[] = "Version %s";
inline constexpr char AboutCopyright[] = "Copyright (C) Corvane";
inline constexpr char AboutComment[] =
    "A catalogue of MP3 files: scan, search, sort, print and play.";
inline constexpr char AboutWebPage[] = "https://www.corvane.example/tracklore";
inline constexpr char AboutEmail[] = "tracklore@corvane.example";

// Sorting from the window
inline constexpr char SortOnCaption[] = "Sort on...";
inline constexpr char SortOnLabel[] = "Please select the item to sort on";

// Expressions
inline constexpr char ExpectedEqualsAfterBang[] = "[%d] Expected = after !";
inline constexpr char ExpectedEqualsAfterTilde[] = "[%d] Expected = after ~";
inline constexpr char MissingQuote[] = "[%d] Missing quote at end-of-string!";
inline constexpr char DigitLargerThanBase[] = "[%d] Digit larger than base";
inline constexpr char MoreThanOneSeparator[] = "[%d] More than one decimal separator in number!!!";
inline constexpr char NumberTooLarge[] = "[%d] Number too large";
inline constexpr char UnexpectedCharacter[] = "[%d] Unexpected character \"%s\"";
inline constexpr char MissingCloseParen[] = "[%d] Missing \")\"";
inline constexpr char ExpectedIdentifier[] = "[%d] Expected identifier";
inline constexpr char ExpectedConstant[] = "[%d] Expected a constant after relational operator";
inline constexpr char NestedTooDeeply[] = "[%d] Expression nested too deeply";
inline constexpr char TimePartOutOfRange[] =
    "[%d] Minutes and seconds after a colon must be two digits, 00 to 59";
inline constexpr char NotADate[] = "[%d] Not a calendar date: write year-month-day, as 2024-01-31";
inline constexpr char NotOnNonBoolean[] = "Cannot perform NOT on non-boolean value";
inline constexpr char TypeError[] = "Type error in \"%s\"";
inline constexpr char UnknownIdentifier[] = "Unkown identifier \"%s\"";
inline constexpr char OperatorEvalFailed[] = "Internal error in operator description - eval failed";
inline constexpr char EmptyExpression[] = "Empty expression - must supply an expression";
// One line of help under a parser message, saying what to write instead.
inline constexpr char HintNumberRunsIntoLetters[] = "a number may not run into letters";
inline constexpr char HintFieldIsText[] = "%s is text: write %s";
inline constexpr char HintFieldIsNumber[] = "%s is a number: write %s";
inline constexpr char HintNumberWithoutQuotes[] =
    "%s is a number: compare it with a number, without quotes";
inline constexpr char HintContainsIsForText[] = "%s is a number and ~= is for text: write %s";
inline constexpr char HintTruthValue[] = "%s is %s: TRUE and FALSE compare with no field";
inline constexpr char HintText[] = "text";
inline constexpr char HintNumber[] = "a number";
inline constexpr char HintAloneIsNoCondition[] = "%s alone is no condition: compare it, as %s";
inline constexpr char HintValidNames[] = "Valid names: %s";

// Advanced search
inline constexpr char SelectingItems[] = "Selecting items...";
inline constexpr char ErrorParsingCaption[] = "Error parsing";
inline constexpr char AdvancedSearchCaption[] = "Advanced search...";
inline constexpr char AdvancedSearchGroup[] = " Advanced search facility ";
inline constexpr char TestButton[] = "Test...";
inline constexpr char TestLabel[] = "Press the \"Test\" button and read your expression below:";
inline constexpr char UseSelected[] = "Search only selected (do not create a new list)";
inline constexpr char SearchButton[] = "&Search...";
inline constexpr char CancelButton[] = "&Cancel";
inline constexpr char AdvancedSearchMenu[] = "&Advanced Search...";
inline constexpr char SavedSearchesLabel[] = "Sa&ved searches:";
inline constexpr char SaveSearchButton[] = "Save...";
inline constexpr char SaveSearchCaption[] = "Save search";
inline constexpr char SaveSearchPrompt[] = "Save the expression under the name:";
inline constexpr char SavedSearchNeedsName[] =
    "Please give the search a name: one line of text, not only blanks.";
inline constexpr char ReplaceSavedSearch[] = "Replace the saved search \"%s\"?";
inline constexpr char SavedSearchNotFound[] = "No saved search is named \"%s\"";
inline constexpr char SelectFormCaption[] = "SelectForm";
inline constexpr char QualityFormat[] = "%dkbit/s at %d";

// Finding duplicates
inline constexpr char DuplicatesCaption[] = "Find duplicates";
inline constexpr char DuplicatesInfo[] =
    "Records that are probably the same song are listed in groups. Records belong together "
    "when they have:";
inline constexpr char DuplicatesArtistTitle[] =
    "the same artist and title (any case) and play times at most 2 seconds apart";
inline constexpr char DuplicatesSizeLength[] = "the same file size and play time";
inline constexpr char FindingDuplicates[] = "Finding duplicates...";
inline constexpr char NoDuplicatesFound[] = "No duplicates found.";

// Field search
inline constexpr char SearchDialogCaption[] = "Search Dialog";
inline constexpr char SearchDialogInfo[] =
    "Leave unused fields empty - all fields with contens are used when searching. ID=-1 "
    "matches ALL records!";
inline constexpr char SearchIdLabel[] = "&ID:";
inline constexpr char SearchArtistLabel[] = "&Artist:";
inline constexpr char SearchAlbumLabel[] = "A&lbum:";
inline constexpr char SearchTitleLabel[] = "&Title:";
inline constexpr char SearchYearLabel[] = "&Year:";
inline constexpr char SearchGenreLabel[] = "&Genre:";
inline constexpr char SearchCommentLabel[] = "&Comment:";
inline constexpr char SearchVolumeLabel[] = "&Volume:";
inline constexpr char SearchFilenameLabel[] = "&File Name:";
inline constexpr char SearchIdHint[] = "Enter the ID of the number you wish to locate";
inline constexpr char SearchArtistHint[] = "Enter the name of the artist you wish to locate";
inline constexpr char SearchAlbumHint[] = "Enter the album you wish to locate";
inline constexpr char SearchTitleHint[] = "Enter the title of the number you wish to locate here";
inline constexpr char SearchYearHint[] = "Enter the year you wish to locate here";
inline constexpr char SearchGenreHint[] = "Select a genre you wish to locate here";
inline constexpr char SearchCommentHint[] = "Enter the comment you wish to locate here";
inline constexpr char SearchVolumeHint[] = "Enter the volume name you wish to locate here";
inline constexpr char SearchFilenameHint[] = "Enter the filename you wish to locate here";
inline constexpr char SearchOkButton[] = "Search...";
inline constexpr char SearchOkHint[] = "Issue search";
inline constexpr char SearchFieldError[] = "%s field: %s";
inline constexpr char SearchIdField[] = "ID";
inline constexpr char SearchCancelHint[] = "Cancel search";
inline constexpr char UseSelectedAmp[] = "&Search only selected (do not create a new list)";

// Result window
inline constexpr char SelectFormFileMenu[] = "&File";
inline constexpr char SelectFormSaveMenu[] = "&Save";
inline constexpr char SelectFormPrintMenu[] = "&Print";
inline constexpr char SelectFormCloseMenu[] = "Close";
inline constexpr char SelectFormSearchMenu[] = "&Search";
inline constexpr char SelectFormSearchWithinMenu[] = "Search &within this view...";
inline constexpr char SelectFormSaveHint[] = "Save this view to a file";
inline constexpr char SelectFormPrintHint[] = "Print this view";
inline constexpr char SelectFormSearchWithinHint[] = "Search within  this view";
inline constexpr char ResultWindowOutdated[] =
    "The records of this window are no longer those of the catalogue (it was opened, renumbered "
    "or started anew since). Save or print the window, or search the catalogue again.";
/// The advanced search's help text, one entry a line.
inline constexpr const char* AdvancedSearchHelp[] = {
    "The advanced search facility is a powerful way of searching the database.",
    "You may enter an expression in the edit-box fulfilling the following grammar:",
    "        BE0 ::= <BE1> { \"AND\" <BE1> }",
    "        BE1 ::= <BE2> { (\"OR\" | \"XOR\") <BE2> }",
    "        BE2 ::= [\"NOT\"] <BE3>",
    "        BE3 ::= RELATION | \"(\" <BE0> \")\"",
    "        RELATION ::= <IDENT> [ <RELOPERATOR> <CONST> ]",
    "        RELOPERATOR ::= \"==\" | \"!=\" | \"<\" | \"<=\" | \">\" | \">=\" | \"~=\"",
    "The operator \"~=\" is an approximate comparison of two strings (and can only be",
    "used on strings); the string after ~= must be included in the string before, case-",
    "insensitive.",
    "The recognized identifiers are:",
    "        ID - of type int",
    "        VOLUME - of type string",
    "        ARTIST - of type string",
    "        TITLE - of type string",
    "        ALBUM - of type string",
    "        TIME - of type int, the number of seconds!",
    "        FILESIZE - of type int, size in bytes",
    "        GENRE - of type string",
    "        FILENAME - of type string",
    "        COMMENT - of type string",
    "        YEAR - of type string",
    "        SAMPLERATE - of type int",
    "        KBITRATE - of type int",
    "        DATE -  of type float, The integral part is the number of days that have",
    "                passed since 12/30/1899. The fractional part is fraction of a 24",
    "                hour day that has elapsed.",
    "Constants may carry units; each stands for the number it gives:",
    "        3:00, 1:02:03 - a play time as minutes:seconds or hours:minutes:seconds,",
    "                in seconds (3:00 is 180); the parts after a colon are 00 to 59",
    "        700KB, 5MB, 1GB - a size in bytes, in powers of 1,024 (1KB is 1024)",
    "        2024-01-31 - a calendar date (year-month-day), as the day number DATE",
    "                counts (2024-01-31 is 45322)",
    "",
    "Examples of queries",
    ">>      time>360",
    "        Search for tracks lasting more than 6 minutes:",
    "",
    ">>      Volume==\"MUSIC_1\"",
    "        Find all tracks on volume MUSIC_1.",
    "",
    ">>      title~=\"mirror\" AND year=\"1992\"",
    "        Find all tracks from 1992 with title containing \"mirror\".",
    "",
    ">>      title=\"Now And Then\" AND (year>=\"1992\" AND year<=\"1999\")",
    "        Search for the exact title \"Now And Then\" in the timeframe 1992-1999.",
    "",
    ">>      artist~=\"Aqua\" AND (time>=180 AND time<=300) AND samplerate=44100 ",
    "        AND kbitrate>=128",
    "        Search for all Aqua tracks lasting between 180 and 300 secs. in CD-quality.",
    "",
    ">>      time>=3:00 AND filesize<5MB AND date>=2024-01-31",
    "        Find tracks of 3 minutes or more, smaller than 5 MB, changed since 2024-01-31.",
    "",
    "",
    "",
    "",
};

// External player: the configuration dialog
inline constexpr char PlayerConfigCaption[] = "Configure External Player";
inline constexpr char PluginSelectionGroup[] = " Plugin Selection ";
inline constexpr char PluginNameColumn[] = "Name";
inline constexpr char PluginDescriptionColumn[] = "Description";
inline constexpr char DrivesToSearchGroup[] = " Drives to search ";
inline constexpr char DriveColumn[] = "Drive";
inline constexpr char DriveTypeColumn[] = "Type";
inline constexpr char TempStorageGroup[] = " Temporary storage configuration ";
inline constexpr char TempStorageLocation[] = "Temp. Storage Location:";
inline constexpr char MaxStorageUse[] = "Max Storage Use:";
inline constexpr char MaxStorageUseHint[] =
    "Slide this to indicate Max Storage Use in storage location";
inline constexpr char StorageLimitMB[] = "%d MB";
inline constexpr char DeleteTempOnPlay[] = "Delete temporary files on play (check if space is low)";
inline constexpr char DriveTypeFloppy[] = "(floppy drive)";
inline constexpr char DriveTypeFixed[] = "(fixed disk)";
inline constexpr char DriveTypeNetwork[] = "(network)";
inline constexpr char DriveTypeCDRom[] = "(cdrom)";
inline constexpr char DriveTypeRamDisk[] = "(RAM disk)";
inline constexpr char DriveFolderColumn[] = "Folder";
inline constexpr char DriveLabelColumn[] = "Label";
inline constexpr char PluginInCurrentFolder[] = "%s (in the current folder)";

// External player: playing and adding
inline constexpr char VolumeNotFound[] =
    "Volume \"%s\" not found in search drives. If the volume is removable (CD/DVD/Disk), please "
    "insert it. Should I retry search?";
inline constexpr char PlayerNotRunning[] = "MPEG Player must be running in order to play!";
inline constexpr char AddingFileFrom[] = "Adding the file \"%s\" from \"%s\"";
inline constexpr char ScanningForVolume[] = "Scanning for volume...";
inline constexpr char CopyingToTemp[] = "Copying file to temporary location...";
inline constexpr char CallingPlayer[] = "Calling external player...";
inline constexpr char FailedToCopyTemp[] = "Failed to copy \"%s\" to temporary location as \"%s\"";
inline constexpr char UnableToDeleteTemp[] =
    "I was unable to delete the temporary file \"%s\". Please stop playing the file, then retry. "
    "If you choose to ignore, please delete the file manually when finished playing.";
inline constexpr char CallingPlayerPlugin[] = "Calling external player plugin...";
inline constexpr char InternalErrorSelectedIDs[] = "Internal error in selected ID's";
inline constexpr char NoPluginChosen[] = "No player plug-in is chosen: Tools > Config Player...";
inline constexpr char PluginNotLoaded[] =
    "The player plug-in \"%s\" could not be loaded (%s): choose one in Tools > Config Player...";
inline constexpr char PlayerDidNotStop[] = "The player could not stop (it answered %d).";
inline constexpr char PluginNotInProgramFolder[] = "it is not in the program's plug-in folder";
inline constexpr char PluginLacksEntry[] =
    "The player plug-in \"%s\" has no %s function: choose another one in Tools > Config "
    "Player...";
inline constexpr char FileNotOnVolume[] =
    "The file \"%s\" was not found on the volume \"%s\" (drive %c: at \"%s\"). It may have been "
    "moved or deleted, or another searched drive has the same label: check the drives in Tools "
    "> Config Player...";
inline constexpr char PathTooLongForPlugin[] =
    "The path \"%s\" is longer than the 255 bytes a player plug-in accepts, so it was not "
    "handed over. Move the file to a shorter path.";
inline constexpr char ProgramNotFound[] =
    "The program \"%s\" was not found in the folders of PATH: install it, or put it in one of "
    "those folders.";
inline constexpr char ProgramNotStarted[] = "The program \"%s\" could not be started: %s";

}  // namespace tracklore::msg
