#pragma once
// The skin change and how it travels: one program-wide observer that the skin frame publishes
// to, and receivers (the main window) registered with it. Observers and receivers keep their
// partners in ordered maps under running numbers (from 0, one more per registration), so a
// partner registered twice is called twice, in registration order.
//
// A partner that goes away takes itself out of its partners' maps, so nobody calls into a
// destroyed object; publishing goes on safely when a receiver unregisters (or registers
// another) from inside Receive.
//
// Threads: window thread only; publishing calls the receivers synchronously.
#include <cstdint>
#include <map>
#include <string>

namespace windows {

// One background choice, passed by value.
struct SkinChangedParam {
    bool bColor = false;   // true: the colour; false: the image
    uint32_t bkcolor = 0;  // ARGB, meaningful with bColor
    std::string bgimage;   // skin image name or file path, meaningful without bColor
};

template <typename ReturnT, typename ParamT>
class ReceiverImplBase;

template <typename ReturnT, typename ParamT>
class ObserverImplBase {
  public:
    virtual ~ObserverImplBase() = default;
    virtual void RegisterReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) = 0;
    virtual void UnregisterReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) = 0;
    virtual ReturnT Publish(ParamT param) = 0;
    virtual ReturnT PublishWithSender(ParamT param) = 0;
};

template <typename ReturnT, typename ParamT>
class ReceiverImplBase {
  public:
    virtual ~ReceiverImplBase() = default;
    // Returns how many registrations the receiver holds now.
    virtual int RegisterObserver(ObserverImplBase<ReturnT, ParamT>* observer) = 0;
    virtual void UnregisterObserver() = 0;
    virtual ReturnT Receive(ParamT param) = 0;
    virtual ReturnT ReceiveFrom(ParamT param, ObserverImplBase<ReturnT, ParamT>* observer) = 0;
    // An observer that is being destroyed: every registration with it is dropped.
    virtual void ForgetObserver(ObserverImplBase<ReturnT, ParamT>* observer) = 0;
};

template <typename ReturnT, typename ParamT>
class ObserverImpl : public ObserverImplBase<ReturnT, ParamT> {
  public:
    using Receiver = ReceiverImplBase<ReturnT, ParamT>;

    ObserverImpl() = default;
    ~ObserverImpl() override {
        const auto receivers = receivers_;
        receivers_.clear();
        for (const auto& [number, receiver] : receivers)
            receiver->ForgetObserver(this);
    }
    ObserverImpl(const ObserverImpl&) = delete;
    ObserverImpl& operator=(const ObserverImpl&) = delete;

    // A null receiver is ignored.
    void RegisterReceiver(Receiver* receiver) override {
        if (receiver == nullptr)
            return;
        receivers_[next_++] = receiver;
        receiver->RegisterObserver(this);
    }
    // Removes every registration of the receiver; null is ignored.
    void UnregisterReceiver(Receiver* receiver) override {
        if (receiver == nullptr)
            return;
        for (auto it = receivers_.begin(); it != receivers_.end();) {
            if (it->second == receiver)
                it = receivers_.erase(it);
            else
                ++it;
        }
    }
    ReturnT Publish(ParamT param) override {
        ForEach([&](Receiver* r) { r->Receive(param); });
        return ReturnT{};
    }
    ReturnT PublishWithSender(ParamT param) override {
        ForEach([&](Receiver* r) { r->ReceiveFrom(param, this); });
        return ReturnT{};
    }

    size_t ReceiverCount() const { return receivers_.size(); }

  private:
    // In number order; the entry after the one just called is looked up afresh, so entries
    // removed meanwhile are skipped and none is visited twice.
    template <typename Call>
    void ForEach(Call call) {
        for (auto it = receivers_.begin(); it != receivers_.end();) {
            const int number = it->first;
            call(it->second);
            it = receivers_.upper_bound(number);
        }
    }

    std::map<int, Receiver*> receivers_;
    int next_ = 0;
};

template <typename ReturnT, typename ParamT>
class ReceiverImpl : public ReceiverImplBase<ReturnT, ParamT> {
  public:
    using Observer = ObserverImplBase<ReturnT, ParamT>;

    ReceiverImpl() = default;
    ~ReceiverImpl() override { ReceiverImpl::UnregisterObserver(); }
    ReceiverImpl(const ReceiverImpl&) = delete;
    ReceiverImpl& operator=(const ReceiverImpl&) = delete;

    int RegisterObserver(Observer* observer) override {
        observers_[next_++] = observer;
        return static_cast<int>(observers_.size());
    }
    void UnregisterObserver() override {
        const auto observers = observers_;
        observers_.clear();
        for (const auto& [number, observer] : observers)
            observer->UnregisterReceiver(this);
    }
    ReturnT Receive(ParamT) override { return ReturnT{}; }
    ReturnT ReceiveFrom(ParamT, Observer*) override { return ReturnT{}; }
    void ForgetObserver(Observer* observer) override {
        for (auto it = observers_.begin(); it != observers_.end();) {
            if (it->second == observer)
                it = observers_.erase(it);
            else
                ++it;
        }
    }

  private:
    std::map<int, Observer*> observers_;
    int next_ = 0;
};

using SkinObserver = ObserverImpl<int, SkinChangedParam>;
using SkinReceiver = ReceiverImpl<int, SkinChangedParam>;

// The program-wide observer: made on first use, kept for the program's life.
SkinObserver& ProgramSkinObserver();

}  // namespace windows
