#include "panels/hook/InputSource.h"

#include <utility>

#include "ui/core/ThreadCheck.h"

namespace panels::hook {
namespace {

class SourceKeyHook final : public platform::KeyboardHook {
  public:
    explicit SourceKeyHook(std::shared_ptr<InputSource> source) : source_(std::move(source)) {}
    ~SourceKeyHook() override { Stop(); }
    bool Start(platform::KeyboardHookSink sink) override {
        return sink && source_->SetKeySink(std::move(sink));
    }
    void Stop() override { source_->SetKeySink({}); }
    bool Running() const override { return source_->HasKeySink(); }

  private:
    std::shared_ptr<InputSource> source_;
};

class SourceMouseHook final : public platform::MouseHook {
  public:
    explicit SourceMouseHook(std::shared_ptr<InputSource> source) : source_(std::move(source)) {}
    ~SourceMouseHook() override { Stop(); }
    bool Start(platform::MouseHookSink sink) override {
        return sink && source_->SetMouseSink(std::move(sink));
    }
    void Stop() override { source_->SetMouseSink({}); }
    bool Running() const override { return source_->HasMouseSink(); }

  private:
    std::shared_ptr<InputSource> source_;
};

}  // namespace

bool InputSource::SetKeySink(platform::KeyboardHookSink sink) {
    UI_ASSERT_WINDOW_THREAD("InputSource::SetKeySink");
    keySink_ = std::move(sink);
    return Follow() || !keySink_;
}

bool InputSource::SetMouseSink(platform::MouseHookSink sink) {
    UI_ASSERT_WINDOW_THREAD("InputSource::SetMouseSink");
    mouseSink_ = std::move(sink);
    return Follow() || !mouseSink_;
}

// Produces while any sink wants events; true when producing.
bool InputSource::Follow() {
    const bool wanted = keySink_ || mouseSink_;
    if (wanted && !producing_) {
        producing_ = Begin();
        if (!producing_) {
            keySink_ = nullptr;
            mouseSink_ = nullptr;
        }
    } else if (!wanted && producing_) {
        producing_ = false;
        End();
    }
    return producing_;
}

void InputSource::DeliverKey(uint32_t message, const platform::HookKeyboardRecord& record) {
    if (!keySink_)
        return;
    // A copy: the sink may clear or replace itself while it runs.
    const platform::KeyboardHookSink sink = keySink_;
    sink(message, record);
}

void InputSource::DeliverMouse(uint32_t message, const platform::HookMouseRecord& record) {
    if (!mouseSink_)
        return;
    const platform::MouseHookSink sink = mouseSink_;
    sink(message, record);
}

std::unique_ptr<platform::KeyboardHook> MakeKeyHook(std::shared_ptr<InputSource> source) {
    return std::make_unique<SourceKeyHook>(std::move(source));
}

std::unique_ptr<platform::MouseHook> MakeMouseHook(std::shared_ptr<InputSource> source) {
    return std::make_unique<SourceMouseHook>(std::move(source));
}

}  // namespace panels::hook
