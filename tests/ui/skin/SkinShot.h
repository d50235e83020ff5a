#pragma once
// What the skin screenshot tests share: colour comparison and one window rendered by
// skin-preview into ${CMAKE_BINARY_DIR}/screenshots.
#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace skinshot {

inline bool Near(const QColor& a, const QColor& b, int tolerance = 8) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Renders one window with skin-preview and `arguments` into screenshots/<name>.png, with
// `home` as the runtime, configuration and data folder; a null image when that failed.
inline QImage Shot(const std::string& name, const std::string& arguments,
                   const std::filesystem::path& home) {
    namespace fs = std::filesystem;
    fs::path dir = T418_SCREENSHOT_DIR;
    fs::create_directories(dir);
    fs::path png = dir / (name + ".png");
    fs::remove(png);
    fs::create_directories(home);
    fs::permissions(home, fs::perms::owner_all);
    const std::string h = home.string();
    std::string command = "env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR='" + h +
                          "' XDG_CONFIG_HOME='" + h + "' XDG_DATA_HOME='" + h + "' '" +
                          T418_SKIN_PREVIEW_BIN + "' " + arguments + " --screenshot '" +
                          png.string() + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return QImage();
    return QImage(QString::fromStdString(png.string()));
}

}  // namespace skinshot
