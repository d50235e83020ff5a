#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileDialog>
#include <QFontDatabase>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include "platform/Trace.h"
#include "ui/qt/QtFonts.h"
#include "ui/qt/QtImage.h"
#include "ui/qt/QtSystemNotices.h"
#include "ui/qt/QtTray.h"
#include "ui/qt/QtWindow.h"
#include "ui/shell/FileDialog.h"

namespace ui::qt {
namespace {

// The filters with their patterns made case-insensitive (desktop dialogs match them
// case-sensitively); the expanded sets stay out of sight behind the descriptions.
QStringList DialogFilters(const std::vector<std::string>& filters, bool* expanded) {
    QStringList list;
    *expanded = false;
    for (const std::string& f : filters) {
        const std::string wide = CaseInsensitiveFilter(f);
        *expanded = *expanded || wide != f;
        list << QString::fromStdString(wide);
    }
    return list;
}

std::string RunFileDialog(const FileDialogRequest& request, QWidget* owner, bool save) {
    QFileDialog dialog(owner, QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    bool expanded = false;
    const QStringList filters = DialogFilters(request.filters, &expanded);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails, expanded);
    if (!request.folder.empty())
        dialog.setDirectory(QString::fromStdString(request.folder));
    if (save) {
        if (!request.defaultSuffix.empty())
            dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
        if (!request.fileName.empty())
            dialog.selectFile(QString::fromStdString(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

QWidget* OwnerWidget(NativeWindow* owner) {
    auto* window = dynamic_cast<QtWindow*>(owner);
    return window ? window->Widget() : nullptr;
}

}  // namespace

QtBackend::QtBackend(int& argc, char** argv) : argc_(argc) {
    if (!QApplication::instance())
        ownApp_ = std::make_unique<QApplication>(argc_, argv);
    // Closing the last window must not end a loop the library did not end.
    QApplication::setQuitOnLastWindowClosed(false);
    context_ = std::make_unique<QObject>();
}

void QtBackend::SetApplicationIdentity(const std::string& name, const std::string& desktopEntryId) {
    QCoreApplication::setApplicationName(QString::fromStdString(name));
    QGuiApplication::setDesktopFileName(QString::fromStdString(desktopEntryId));
}

QtBackend::~QtBackend() {
    // Widgets of destroyed windows wait for the loop (QtWindow); none runs any more.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (HasBackend() && &GetBackend() == this)
        SetBackend(nullptr);
    for (auto& [id, timer] : timers_)
        delete timer;
    timers_.clear();
    notices_.reset();
    context_.reset();
    ClearFontCache();
}

int QtBackend::RunLoop() {
    if (pendingQuit_) {
        int code = *pendingQuit_;
        pendingQuit_.reset();
        return code;
    }
    QEventLoop loop;
    loops_.push_back(&loop);
    int code = loop.exec();
    loops_.pop_back();
    return code;
}

void QtBackend::QuitLoop(int code) {
    if (loops_.empty()) {
        pendingQuit_ = code;  // asked before the loop ran: the next RunLoop returns at once
        return;
    }
    loops_.back()->exit(code);
}

void QtBackend::Wake() {
    // Many wakes before the window thread gets to run collapse into one call.
    if (wakePending_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        context_.get(),
        [this] {
            wakePending_.store(false);
            std::function<void()> handler;
            {
                std::lock_guard lock(wakeMutex_);
                handler = wakeHandler_;
            }
            if (handler)
                handler();
        },
        Qt::QueuedConnection);
}

void QtBackend::SetWakeHandler(std::function<void()> handler) {
    std::lock_guard lock(wakeMutex_);
    wakeHandler_ = std::move(handler);
}

uint64_t QtBackend::NowMs() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start_)
                                     .count());
}

int QtBackend::StartTimer(uint32_t intervalMs, std::function<void()> onTick) {
    int id = nextTimerId_++;
    auto* timer = new QTimer(context_.get());
    timer->setTimerType(intervalMs < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
    QObject::connect(timer, &QTimer::timeout, context_.get(), std::move(onTick));
    timers_[id] = timer;
    timer->start(static_cast<int>(std::min<uint32_t>(intervalMs, 0x7FFFFFFF)));
    return id;
}

void QtBackend::StopTimer(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    it->second->stop();
    it->second->deleteLater();  // it may be the timer whose tick is running now
    timers_.erase(it);
}

std::unique_ptr<NativeWindow> QtBackend::CreateNativeWindow(const NativeWindowParams& params,
                                                            NativeWindowEvents& events) {
    return std::make_unique<QtWindow>(params, events);
}

Rect QtBackend::WorkArea() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return Rect{0, 0, 1024, 768};
    QRect g = screen->availableGeometry();
    return Rect{g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

Point QtBackend::CursorPos() {
    QPoint p = QCursor::pos();
    return Point{p.x(), p.y()};
}

std::shared_ptr<Image> QtBackend::DecodeImage(const std::string& bytes) {
    QImage image = DecodeImageBytes(bytes);
    if (image.isNull())
        return nullptr;
    return std::make_shared<QtImage>(image);
}

std::string QtBackend::AddPrivateFont(const std::string& bytes) {
    if (bytes.empty())
        return {};
    int id = QFontDatabase::addApplicationFontFromData(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (id < 0) {
        platform::Trace("ui: a private font cannot be loaded");
        return {};
    }
    {
        std::lock_guard<std::mutex> lock(fontsMutex_);
        fontIds_.push_back(id);
    }
    QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? std::string() : families.first().toStdString();
}

void QtBackend::PrepareFonts() {
    // Asking for the families fills Qt's font database (emptied by every font added).
    QFontDatabase::families();
}

void QtBackend::SetFontSubstitute(const std::string& face, const std::string& family) {
    SetFaceSubstitute(face, family);
}

void QtBackend::RemovePrivateFonts() {
    std::vector<int> ids;
    {
        std::lock_guard<std::mutex> lock(fontsMutex_);
        ids.swap(fontIds_);
    }
    for (int id : ids)
        QFontDatabase::removeApplicationFont(id);
    ClearFontCache();
}

Size QtBackend::MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                            int maxWidth) {
    return MeasureTextWith(utf8, font, format, maxWidth);
}

std::string QtBackend::ClipboardText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text().toStdString() : std::string();
}

void QtBackend::SetClipboardText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdString(text));
}

std::unique_ptr<NativeTrayIcon> QtBackend::CreateTrayIcon(TrayIconEvents& events) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return nullptr;
    return std::make_unique<QtTrayIcon>(events);
}

std::string QtBackend::OpenFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, OwnerWidget(request.owner), false);
}

std::string QtBackend::SaveFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, OwnerWidget(request.owner), true);
}

}  // namespace ui::qt

namespace ui::qt {

void QtBackend::SetSystemNoticeHandler(std::function<void(SystemNotice)> handler) {
    notices_.reset();
    if (handler)
        notices_ = std::make_unique<QtSystemNotices>(std::move(handler));
}

}  // namespace ui::qt
