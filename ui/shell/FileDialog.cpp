#include "ui/shell/FileDialog.h"

#include "ui/core/MessageModel.h"
#include "ui/core/WindowWnd.h"

namespace ui {
namespace {

class BackendFileDialog : public FileDialog {
  public:
    std::string Open(const FileDialogRequest& request) override {
        return HasBackend() ? GetBackend().OpenFileDialog(request) : std::string();
    }
    std::string Save(const FileDialogRequest& request) override {
        return HasBackend() ? GetBackend().SaveFileDialog(request) : std::string();
    }
};

FileDialog* g_dialog = nullptr;

FileDialogRequest MakeRequest(HWND owner, const std::string& title,
                              const std::vector<std::string>& filters, const std::string& folder,
                              const std::string& fileName) {
    FileDialogRequest request;
    request.title = title;
    request.filters = filters;
    request.folder = folder;
    request.fileName = fileName;
    if (CWindowWnd* window = GetWindowObject(owner))
        request.owner = window->GetNativeWindow();
    return request;
}

}  // namespace

FileDialog& GetFileDialog() {
    static BackendFileDialog fallback;
    return g_dialog != nullptr ? *g_dialog : fallback;
}

void SetFileDialog(FileDialog* dialog) {
    g_dialog = dialog;
}

std::string ShowOpenFileDialog(HWND owner, const std::string& title,
                               const std::vector<std::string>& filters, const std::string& folder) {
    return GetFileDialog().Open(MakeRequest(owner, title, filters, folder, ""));
}

std::string ShowSaveFileDialog(HWND owner, const std::string& title,
                               const std::vector<std::string>& filters, const std::string& folder,
                               const std::string& fileName) {
    return GetFileDialog().Save(MakeRequest(owner, title, filters, folder, fileName));
}

std::vector<std::string> ParseFileFilter(const std::string& win32Filter) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : win32Filter) {
        if (c == '|' || c == '\0') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(current);
    std::vector<std::string> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string& description = parts[i];
        const std::string& pattern = parts[i + 1];
        if (description.empty() && pattern.empty())
            break;
        std::string patterns = pattern;
        for (char& c : patterns) {
            if (c == ';')
                c = ' ';
        }
        if (description.find('(') != std::string::npos &&
            description.find(patterns) != std::string::npos) {
            filters.push_back(description);
        } else {
            filters.push_back(description + " (" + patterns + ")");
        }
    }
    return filters;
}

std::string ScriptedFileDialog::Next(const FileDialogRequest& request, bool save) {
    requests_.push_back(request);
    wasSave_.push_back(save);
    if (answers_.empty())
        return {};
    std::string answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
}

std::string ScriptedFileDialog::Open(const FileDialogRequest& request) {
    return Next(request, false);
}
std::string ScriptedFileDialog::Save(const FileDialogRequest& request) {
    return Next(request, true);
}

}  // namespace ui
