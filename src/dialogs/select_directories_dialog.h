// "Select directories to merge": Directory 1, Directory 2 and where the
// results go, each edit a drop target with a "..." folder browser, "Show
// directories" ticked at every opening, "Other:" chosen at every opening,
// and "Options" for the directory merging filters. OK makes sure each folder
// exists (creating it with its parents after a Yes) and stays open after an
// error or a No.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "dirmerge/directory_selection.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace tandel {

class Frame;
struct Settings;

// Asks for a folder under `title`, starting at `start`; none when cancelled.
using FolderBrowser = std::function<std::optional<std::string>(QWidget* owner, const QString& title,
                                                               const std::string& start)>;

class SelectDirectoriesDialog : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        FolderBrowser browse;
        // "Options": the directory merging filters, owned by this dialog.
        std::function<void(QWidget* owner)> options;
        // Where OK looks for and makes the folders: the model's file layer.
        FileSystem* files = &realFileSystem();
    };

    SelectDirectoriesDialog(Frame& frame, Settings& settings, Hooks hooks, QWidget* parent);

    // What OK confirmed.
    const DirectorySelection& selection() const { return selection_; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A path edit and the bytes it was last given, which it hands back as
    // they were while its text is unchanged.
    struct PathEdit {
        QLineEdit* edit = nullptr;
        std::string shownFrom;
        std::string bytes() const;
        void set(const std::string& path);
    };
    PathEdit makeEdit(int id, const std::string& text);
    void browse(PathEdit& edit, std::string& remembered, const QString& title);

    Frame& frame_;
    Settings& settings_;
    Hooks hooks_;
    DirectorySelection selection_;
    PathEdit dir1_;
    PathEdit dir2_;
    PathEdit other_;
    QButtonGroup* destination_;
    QCheckBox* showDirectories_;
};

} // namespace tandel
