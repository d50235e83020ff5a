#pragma once
// Open and save dialogs. Callers go through GetFileDialog(); the default one asks the
// realisation in use (real dialogs on Qt), and tests install a scripted one.
// Threads: window thread only.
//
// Filters are "Description (*.ext)" entries; Win32-style filter strings
// ("Profile (*.json)\0*.json\0" or with '|' separators) are converted by ParseFileFilter.
#include <string>
#include <vector>

#include "ui/core/Backend.h"
#include "ui/core/UIDefs.h"

namespace ui {

class FileDialog {
  public:
    virtual ~FileDialog() = default;
    // The chosen path, empty when cancelled.
    virtual std::string Open(const FileDialogRequest& request) = 0;
    virtual std::string Save(const FileDialogRequest& request) = 0;
};

FileDialog& GetFileDialog();
// nullptr puts the default back.
void SetFileDialog(FileDialog* dialog);

// Convenience: owner window, title, filters, start folder and suggested name.
std::string ShowOpenFileDialog(HWND owner, const std::string& title,
                               const std::vector<std::string>& filters,
                               const std::string& folder = "");
std::string ShowSaveFileDialog(HWND owner, const std::string& title,
                               const std::vector<std::string>& filters,
                               const std::string& folder = "", const std::string& fileName = "");

// "Text (*.txt)|*.txt|All (*.*)|*.*" or the same with '\0' separators -> entries
// "Text (*.txt)", "All (*.*)". A description without its pattern gets it appended.
std::vector<std::string> ParseFileFilter(const std::string& win32Filter);

// A dialog that answers from a script and records what was asked (tests).
class ScriptedFileDialog : public FileDialog {
  public:
    void Answer(const std::string& path) { answers_.push_back(path); }
    std::string Open(const FileDialogRequest& request) override;
    std::string Save(const FileDialogRequest& request) override;
    const std::vector<FileDialogRequest>& Requests() const { return requests_; }
    const std::vector<bool>& WasSave() const { return wasSave_; }

  private:
    std::string Next(const FileDialogRequest& request, bool save);
    std::vector<std::string> answers_;
    std::vector<FileDialogRequest> requests_;
    std::vector<bool> wasSave_;
};

}  // namespace ui
