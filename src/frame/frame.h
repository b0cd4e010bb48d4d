// Everything the core needs from the user interface. The Qt main window, the
// console of unattended runs and the scripted fake of the tests implement it.
#pragma once

#include <cstdint>
#include <string>

namespace tandel {

// The preview's selection as byte offsets into the UTF-8 bytes of its text;
// end -1 stands for the end of the text.
struct PreviewSelection {
    std::int64_t start = 0;
    std::int64_t end = 0;
};

enum class Severity { Error = -1, Warning = -2, Info = -3 };

// Answers of the confirmation dialogs, by their button identifiers.
enum class Answer : int {
    Yes = 6,
    No = 7,
    Cancel = 2,
    YesToAll = 130,
    NoToAll = 131,
    File = 127,
    Directory = 125,
    None = 126,
};

// What a question is about. A frame without a user (the console of unattended
// runs) answers by the kind and the path, never by reading the text.
enum class QuestionKind {
    Overwrite,    // "File %s already exists.\nSave anyway ?"
    ReplaceFile,  // "Destination file %s already exists.\nReplace it with %s ?"
    BackupFailed, // "Unable to back up %s.\nWould you like to proceed with overriding this file?"
    PresentOnly,  // "%s is present only in\n%s.\nCopy it to the destination directory ?"
    ChangedOnDisk, // "File %s has changed on disk since it was loaded.\nSave anyway ?"
    ReadOnly,      // "File %s is read-only.\nReplace it anyway ?"
    UnsavedDecisions, // Save, Discard or Cancel the decisions not saved yet
    MakeDirectory,    // "Directory %s does not exist.\nCreate it?"
    MergeInPlace,     // a destination typed as "Other:" that is Directory 1 or 2 itself
};

struct Question {
    QuestionKind kind = QuestionKind::Overwrite;
    std::string path; // the file the answer acts on
    std::string text; // shown to the user as it is
};

class Frame {
public:
    virtual ~Frame() = default;

    // Messages and questions.
    virtual void message(Severity severity, const std::string& text) = 0;
    // A short result that needs no answer, such as "Saved to X": the status
    // bar shows it for a while; a frame without one lets it pass.
    virtual void notice(const std::string& text) = 0;
    // The overwrite question with Yes and No; true for Yes.
    virtual bool confirmOverwrite(const Question& question) = 0;
    // ASK_PERMISSION: Yes, Yes to All, No, No to All or Cancel.
    virtual Answer askPermission(const Question& question) = 0;
    // FILE_TO_DIR_DLG: File, Directory, None or Cancel.
    virtual Answer askFileOrDirectory(const std::string& file, const std::string& directory) = 0;
    // Plain Yes/No/Cancel box: Yes, No or Cancel.
    virtual Answer askYesNoCancel(const std::string& caption, const Question& question) = 0;

    // Commands: posted ones run later from the event loop, sent ones now.
    virtual void postCommand(int id) = 0;
    virtual void sendCommand(int id) = 0;

    // Repaint and layout requests.
    virtual void repaintPanes() = 0;
    virtual void repaintTitles() = 0;
    virtual void repaintPositionBar() = 0;
    virtual void relayout() = 0;
    virtual void refreshLists() = 0;
    virtual void setWaitCursor(bool on) = 0;
    // Directory walk: swap the menu between file mode and walk mode.
    virtual void setWalkMenu(bool walking) = 0;

    // The preview.
    virtual bool previewOpen() const = 0;
    virtual void openPreview() = 0;
    virtual void closePreview() = 0;
    virtual void setPreviewText(const std::string& text) = 0;
    virtual std::string previewText() const = 0;
    virtual bool previewModified() const = 0;
    virtual void setPreviewModified(bool modified) = 0;

    // The print job; startPrint returns false when the user cancelled.
    virtual bool startPrint(const std::string& documentName) = 0;
    virtual bool printLine(const std::string& text) = 0;
    virtual void endPrint() = 0;

    virtual void setClipboardText(const std::string& text) = 0;
    // The text of a selection just made in a pane, for the primary selection
    // of desktops that have one (middle-click pastes it); ignored elsewhere.
    virtual void setSelectionText(const std::string& text) = 0;

    // Search. The preview takes a search when it is open and holds the focus,
    // or held it when the Find dialog was opened.
    virtual bool previewTakesSearch() const = 0;
    // The preview's selection, in bytes of previewText().
    virtual PreviewSelection previewSelection() const = 0;
    // Selects the preview's bytes [start, end), scrolls them into view and
    // gives the preview the focus.
    virtual void selectPreviewText(std::int64_t start, std::int64_t end) = 0;
    // Opens the modeless Find dialog with an empty find-what field and its
    // match-case box ticked or not.
    virtual void openFindDialog(bool matchCase) = 0;
    // Directory window: in list 1 (left) or 2 (right), selects row `row` alone,
    // makes it visible and gives that list the focus.
    virtual void showListRow(int list, std::int64_t row) = 0;

    // Directory window mode prints the two directory lists instead of a result.
    virtual void printDirectoryLists() = 0;
    // The open dialog of a side ("Open file 1" / "Open file 2") and the save
    // dialog; false when cancelled, else `chosen` holds the name.
    virtual bool chooseOpenFile(const std::string& title, const std::string& startDirectory,
                                std::string& chosen) = 0;
    virtual bool chooseSaveFile(const std::string& startDirectory,
                                const std::string& proposal, std::string& chosen) = 0;
    // A new file was loaded into side 1 or 2: a text selection in that pane is void.
    virtual void clearSelection(int side) = 0;
};

} // namespace tandel
