// The system's user-visible texts in one table. Texts with printf-like placeholders are
// formatted with Format() (core/format.h); some messages join two entries.
#pragma once

namespace tracklore::msg {

// Catalogue
inline constexpr char InvalidOpForResultSet[] = "Invalid operation \"%s\" for a result set";
inline constexpr char TooManyElements[] = "Too Many Elements!";
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

// Conversions of texts to numbers
inline constexpr char InvalidInteger[] = "'%s' is not a valid integer value";
inline constexpr char InvalidFloat[] = "'%s' is not a valid floating point value";

// Streams
inline constexpr char AccessNotSpecified[] =
    "Either read, write or full access must be specified in call to CreateFile";
inline constexpr char ErrorOpening[] = "Error opening \"%s\" - %s";
inline constexpr char ErrorReading[] = "Error reading from stream - %s";
inline constexpr char ErrorWriting[] = "Error writing to stream - %s";
inline constexpr char ReadLessThanExpected[] = "Read less than expected";
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
inline constexpr char FilterCsvFiles[] = "CSV-files";
inline constexpr char FilterCommaSeparated[] = "Comma Seperated File";
inline constexpr char FilterAllFilesOpen[] = "All Files (*.*)";
inline constexpr char FilterAllFilesSave[] = "All Files (**)";

// Scanning from the window
inline constexpr char SelectFolderToScan[] = "Please select the folder, you wish to scan...";
inline constexpr char ScanErrorsCaption[] = "Errors during scan";
inline constexpr char ScanErrorsHeading[] = "Files not added due to errors:";
inline constexpr char ScanErrorsRule[] = "------------------------------";
inline constexpr char Mp3FilesFilter[] = "MPEG Layer-3 files (*.mp3)";
inline constexpr char ProgressCaption[] = "Progress...";
inline constexpr char ProgressInvalidIndex[] = "ProgressBox.Steps[] - Invalid Index";

// Views
inline constexpr char BuildingViews[] = "Building visual representations. Record: ";

// Settings
inline constexpr char SettingsCaption[] = "Settings...";
inline constexpr char ScanEntireFile[] = "Scan entire file (length for VBR)";
inline constexpr char SampleText[] = "The Quick Brown Fox Jumped Over Lazy Dogs";

// Sorting from the window
inline constexpr char SortOnCaption[] = "Sort on...";
inline constexpr char SortOnLabel[] = "Please select the item to sort on";

}  // namespace tracklore::msg
