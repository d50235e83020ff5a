#include "ui/core/Notify.h"

#include "ui/core/ControlUI.h"

namespace ui {

bool CNotifyPump::AddVirtualWnd(const std::string& name, CNotifyPump* pump) {
    if (name.empty() || pump == nullptr || virtualWnds_.count(name) != 0)
        return false;
    virtualWnds_[name] = pump;
    return true;
}

bool CNotifyPump::RemoveVirtualWnd(const std::string& name) {
    return virtualWnds_.erase(name) != 0;
}

CNotifyPump* CNotifyPump::GetVirtualWnd(const std::string& name) const {
    auto it = virtualWnds_.find(name);
    return it == virtualWnds_.end() ? nullptr : it->second;
}

void CNotifyPump::AddNotifyHandler(const std::string& type, NotifyHandler handler) {
    entries_.push_back(Entry{type, {}, std::move(handler)});
}

void CNotifyPump::AddNotifyHandler(const std::string& type, const std::string& controlName,
                                   NotifyHandler handler) {
    entries_.push_back(Entry{type, controlName, std::move(handler)});
}

bool CNotifyPump::NotifyPump(TNotifyUI& msg) {
    if (!msg.sVirtualWnd.empty()) {
        if (CNotifyPump* target = GetVirtualWnd(msg.sVirtualWnd))
            return target->LoopDispatch(msg);
    }
    return LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg) {
    bool handled = false;
    // A handler may add handlers; index so the loop survives reallocation.
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (!EqualsNoCase(entry.type, msg.sType))
            continue;
        if (!entry.controlName.empty() &&
            (msg.pSender == nullptr || !EqualsNoCase(entry.controlName, msg.pSender->GetName())))
            continue;
        NotifyHandler handler = entry.handler;
        handler(msg);
        handled = true;
    }
    return handled;
}

}  // namespace ui
