#pragma once
// Open and save dialogs. Callers go through GetFileDialog(); the default one asks the
// realisation in use (real dialogs on Qt), and tests install a scripted one.
// Threads: window thread only.
//
// Filters are "Description (*.ext)" entries; Win32-style filter strings
// ("Profile (*.json)\0*.json\0" or with '|' separators) are converted by ParseFileFilter.
//
// Patterns match without regard to case, as they do on the system the files come from: the
// realisations give a desktop that matches case-sensitively the expanded patterns of
// CaseInsensitivePattern ("*.shoot" matches "B.Shoot" and "A.SHOOT"). A save dialog gives a
// name entered without an extension the extension of its first filter's first pattern, so
// that the file shows under that filter afterwards.
#include <string>
#include <string_view>
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
// The default suffix is that of the filters (DefaultSuffixOf); the answer has it applied.
std::string ShowSaveFileDialog(HWND owner, const std::string& title,
                               const std::vector<std::string>& filters,
                               const std::string& folder = "", const std::string& fileName = "");

// "*.shoot" -> "*.[sS][hH][oO][oO][tT]": every ASCII letter as a set of both cases; sets
// already in the pattern ("[...]") are kept as they are.
std::string CaseInsensitivePattern(std::string_view pattern);
// The filter entry with every pattern inside its parentheses expanded; an entry without
// parentheses is taken as patterns separated by spaces or ';'.
std::string CaseInsensitiveFilter(std::string_view filter);
// The patterns of a filter entry ("Shoot Files(*.shoot;*.sht)" -> "*.shoot", "*.sht").
std::vector<std::string> FilterPatterns(std::string_view filter);
// The extension of the first filter's first pattern when it is "*.ext" with a plain
// extension ("shoot"); "" otherwise ("*.*", "*", no filter).
std::string DefaultSuffixOf(const std::vector<std::string>& filters);
// The path with "." + suffix appended when its file name has no extension (no dot after its
// first character); as it is otherwise, and when path or suffix is empty.
std::string WithDefaultSuffix(const std::string& path, const std::string& suffix);

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
