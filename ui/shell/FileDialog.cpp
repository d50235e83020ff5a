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

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The text inside a filter entry's parentheses, or the whole entry without them.
std::string_view PatternPart(std::string_view filter, size_t* begin) {
    const size_t open = filter.find('(');
    const size_t close = open == std::string_view::npos ? open : filter.find(')', open);
    if (open == std::string_view::npos || close == std::string_view::npos) {
        *begin = 0;
        return filter;
    }
    *begin = open + 1;
    return filter.substr(open + 1, close - open - 1);
}

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
    FileDialogRequest request = MakeRequest(owner, title, filters, folder, fileName);
    request.defaultSuffix = DefaultSuffixOf(filters);
    return WithDefaultSuffix(GetFileDialog().Save(request), request.defaultSuffix);
}

std::string CaseInsensitivePattern(std::string_view pattern) {
    std::string out;
    out.reserve(pattern.size() * 4);
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '[') {
            const size_t close = pattern.find(']', i + 1);
            if (close != std::string_view::npos) {
                out.append(pattern.substr(i, close - i + 1));
                i = close;
                continue;
            }
        }
        if (IsAsciiLetter(c)) {
            out += '[';
            out += LowerAscii(c);
            out += UpperAscii(c);
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::string CaseInsensitiveFilter(std::string_view filter) {
    size_t begin = 0;
    const std::string_view patterns = PatternPart(filter, &begin);
    std::string out(filter.substr(0, begin));
    out += CaseInsensitivePattern(patterns);
    out.append(filter.substr(begin + patterns.size()));
    return out;
}

std::vector<std::string> FilterPatterns(std::string_view filter) {
    size_t begin = 0;
    const std::string_view text = PatternPart(filter, &begin);
    std::vector<std::string> patterns;
    std::string current;
    for (char c : text) {
        if (c == ' ' || c == ';') {
            if (!current.empty())
                patterns.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        patterns.push_back(current);
    return patterns;
}

std::string DefaultSuffixOf(const std::vector<std::string>& filters) {
    if (filters.empty())
        return {};
    const std::vector<std::string> patterns = FilterPatterns(filters.front());
    if (patterns.empty() || patterns.front().size() < 3 ||
        patterns.front().compare(0, 2, "*.") != 0)
        return {};
    const std::string suffix = patterns.front().substr(2);
    for (char c : suffix) {
        const bool plain = IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!plain)
            return {};
    }
    return suffix;
}

std::string WithDefaultSuffix(const std::string& path, const std::string& suffix) {
    if (path.empty() || suffix.empty())
        return path;
    const size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string::npos
                                      ? std::string_view(path)
                                      : std::string_view(path).substr(slash + 1);
    if (name.empty() || name.find('.', 1) != std::string_view::npos)
        return path;
    return path + "." + suffix;
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
