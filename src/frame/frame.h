// Everything the core needs from the user interface, by role: each role has
// its own small interface, and Frame is all of them. The Qt main window, the
// console of unattended runs and the scripted fake of the tests implement it.
// Messages and questions are declared here.
#pragma once

#include <string>

#include "frame/clipboard.h"
#include "frame/command_sink.h"
#include "frame/directory_lists.h"
#include "frame/display.h"
#include "frame/file_chooser.h"
#include "frame/preview.h"
#include "frame/printer.h"
#include "frame/search_ui.h"

namespace tandel {

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
    Overwrite,     // "File %s already exists.\nSave anyway ?"
    ReplaceFile,   // "Destination file %s already exists.\nReplace it with %s ?"
    BackupFailed,  // "Unable to back up %s.\nWould you like to proceed with overriding this file?"
    PresentOnly,   // "%s is present only in\n%s.\nCopy it to the destination directory ?"
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

class Messages {
public:
    virtual ~Messages() = default;

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
};

class Frame : public virtual Messages,
              public virtual FileChooser,
              public virtual CommandSink,
              public virtual Display,
              public virtual Preview,
              public virtual SearchUi,
              public virtual Printer,
              public virtual Clipboard,
              public virtual DirectoryLists {};

} // namespace tandel
