// What the main window needs from the outside world, passed in at
// construction so that a test builds the same window over fakes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QPrinter;
class QUrl;
class QWidget;

namespace tandel {

struct WindowServices {
    std::string settingsPath; // tandel.ini
    std::string programPath;  // this program, for the instances directory merging starts
    // Starts a program: the first argument names it. Never waits for it.
    std::function<void(const std::vector<std::string>& arguments)> startInstance;
    // The record of the instances' windows, for cascading; empty: none kept.
    std::string openWindowsPath;
    std::string helpPage; // index.html of the help pages; empty when none was found
    // Shows a page in the browser the user named; false when none is named or
    // it did not start, and the help opens in the program's own viewer.
    std::function<bool(const QUrl& url)> openUrl;
    // Runs a modal dialog and returns its result; every dialog of the frame
    // goes through here.
    std::function<int(QDialog& dialog)> runModal;
    // The printer to print on, as the user set it up in the print dialog;
    // null when the dialog was cancelled.
    std::function<std::unique_ptr<QPrinter>(QWidget& parent)> choosePrinter;
    // Loads and comparisons run on a thread of their own; off, they finish
    // before the command that started them returns.
    bool threadedComparisons = false;
};

// The services of a real run: the default settings file, this executable,
// detached processes, the help pages beside the build or the installation,
// the browser the BROWSER variable names, modal dialogs of their own and the print dialog.
WindowServices desktopServices();

} // namespace tandel
