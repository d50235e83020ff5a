#include "ui/core/PaintManager.h"

#include <algorithm>
#include <optional>

#include "platform/Folders.h"
#include "platform/Trace.h"
#include "ui/core/ControlUI.h"
#include "ui/core/KeyState.h"
#include "ui/core/MessageModel.h"
#include "ui/core/ThreadCheck.h"
#include "ui/core/WindowWnd.h"
#include "ui/skin/ResourceManager.h"

namespace ui {
namespace {

HINSTANCE g_instance = nullptr;
int g_resourceType = UILIB_FILE;

// Fonts, default attributes and images marked "shared" in a layout serve every window.
std::map<int, TFontInfo> g_sharedFonts;
TFontInfo g_sharedDefaultFont;
bool g_hasSharedDefaultFont = false;
std::map<std::string, std::string, NoCaseLess> g_sharedDefaultAttrs;

std::vector<CPaintManagerUI*>& Managers() {
    static std::vector<CPaintManagerUI*> managers;
    return managers;
}

CControlUI* FindByPoint(CControlUI* control, void* data) {
    POINT pt = *static_cast<POINT*>(data);
    return control->GetPos().Contains(pt) ? control : nullptr;
}

struct NameSearch {
    const std::string* name;
};

CControlUI* FindByName(CControlUI* control, void* data) {
    auto* search = static_cast<NameSearch*>(data);
    return EqualsNoCase(control->GetName(), *search->name) ? control : nullptr;
}

struct ClassSearch {
    const std::string* className;
    std::vector<CControlUI*>* found;
};

CControlUI* CollectByClass(CControlUI* control, void* data) {
    auto* search = static_cast<ClassSearch*>(data);
    if (EqualsNoCase(control->GetClass(), *search->className))
        search->found->push_back(control);
    return nullptr;
}

}  // namespace

// --- process-wide ----------------------------------------------------------------------------

void CPaintManagerUI::SetInstance(HINSTANCE instance) {
    g_instance = instance;
}
HINSTANCE CPaintManagerUI::GetInstance() {
    return g_instance;
}
std::string CPaintManagerUI::GetInstancePath() {
    return platform::ProgramFolder();
}

void CPaintManagerUI::SetResourcePath(const std::string& path) {
    CResourceManager::SetResourcePath(path);
    for (CPaintManagerUI* manager : Managers())
        manager->m_images->SetResourcePath(GetResourcePath());
}

const std::string& CPaintManagerUI::GetResourcePath() {
    return CResourceManager::GetResourcePath();
}
void CPaintManagerUI::SetResourceType(int type) {
    g_resourceType = type;
}
int CPaintManagerUI::GetResourceType() {
    return g_resourceType;
}
int CPaintManagerUI::MessageLoop() {
    return detail::RunLoop(nullptr);
}
std::vector<CPaintManagerUI*> CPaintManagerUI::GetPaintManagers() {
    return Managers();
}

CPaintManagerUI::CPaintManagerUI() : m_images(std::make_unique<ImageCache>()) {
    m_images->SetResourcePath(GetResourcePath());
    Managers().push_back(this);
    CResourceManager::GetInstance()->AddTextObserver(this);
}

IControlHost* ControlHostOf(CPaintManagerUI* manager) {
    return manager;
}

void CPaintManagerUI::OnTextsReloaded() {
    if (m_pRoot != nullptr)
        m_pRoot->NeedUpdate();
    NeedUpdate();
    Invalidate();
}

CPaintManagerUI::~CPaintManagerUI() {
    CResourceManager::GetInstance()->RemoveTextObserver(this);
    RemoveAllTimers();
    // The tree goes before the manager; controls tell the manager as they go.
    CControlUI* root = m_pRoot;
    m_pRoot = nullptr;
    delete root;
    auto& all = Managers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

// --- window ------------------------------------------------------------------------------

void CPaintManagerUI::Init(HWND hwnd, const std::string& name) {
    UI_ASSERT_WINDOW_THREAD("CPaintManagerUI::Init");
    m_hWndPaint = hwnd;
    m_sName = name;
}

NativeWindow* CPaintManagerUI::GetNativeWindow() const {
    CWindowWnd* window = GetWindowObject(m_hWndPaint);
    return window ? window->GetNativeWindow() : nullptr;
}

std::optional<RECT> CPaintManagerUI::ClientToScreen(const RECT& rc) const {
    NativeWindow* native = GetNativeWindow();
    if (native == nullptr)
        return std::nullopt;
    // The native rectangle is the client area's, in screen coordinates.
    const RECT window = native->GetRect();
    return rc.Offset(window.left, window.top);
}

SIZE CPaintManagerUI::GetClientSize() const {
    NativeWindow* native = GetNativeWindow();
    if (native == nullptr)
        return SIZE{};
    RECT rc = native->GetRect();
    return SIZE{rc.Width(), rc.Height()};
}

void CPaintManagerUI::SetWindowAttribute(std::string_view name, std::string_view value) {
    std::string v(value);
    Size s;
    Rect r;
    Color c = 0;
    if (EqualsNoCase(name, "size")) {
        if (ParseSize(v, s))
            SetInitSize(s.cx, s.cy);
    } else if (EqualsNoCase(name, "mininfo")) {
        if (ParseSize(v, s))
            SetMinInfo(s.cx, s.cy);
    } else if (EqualsNoCase(name, "maxinfo")) {
        if (ParseSize(v, s))
            SetMaxInfo(s.cx, s.cy);
    } else if (EqualsNoCase(name, "caption")) {
        if (ParseRect(v, r))
            m_rcCaption = r;
    } else if (EqualsNoCase(name, "title") || EqualsNoCase(name, "text")) {
        m_sCaption = v;
    } else if (EqualsNoCase(name, "layered") || EqualsNoCase(name, "bktrans")) {
        m_bLayered = ParseBool(v);
    } else if (EqualsNoCase(name, "defaultfontcolor")) {
        if (ParseColor(v, c))
            m_dwDefaultFontColor = c;
    } else if (EqualsNoCase(name, "disabledfontcolor")) {
        if (ParseColor(v, c))
            m_dwDefaultDisabledColor = c;
    }
}

SIZE CPaintManagerUI::GetInitSize() const {
    return m_dpi.Scale(m_szInitWindowSize);
}
void CPaintManagerUI::SetInitSize(int cx, int cy) {
    m_szInitWindowSize = SIZE{cx, cy};
}
SIZE CPaintManagerUI::GetMinInfo() const {
    return m_dpi.Scale(m_szMinWindow);
}
void CPaintManagerUI::SetMinInfo(int cx, int cy) {
    m_szMinWindow = SIZE{cx, cy};
}
SIZE CPaintManagerUI::GetMaxInfo() const {
    return m_dpi.Scale(m_szMaxWindow);
}
void CPaintManagerUI::SetMaxInfo(int cx, int cy) {
    m_szMaxWindow = SIZE{cx, cy};
}

// --- control tree ------------------------------------------------------------------------

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
    if (root == nullptr)
        return false;
    if (m_pRoot != nullptr && m_pRoot != root) {
        CControlUI* old = m_pRoot;
        m_pRoot = nullptr;
        delete old;
    }
    m_pFocus = m_pEventHover = m_pEventClick = m_pEventRClick = nullptr;
    m_pRoot = root;
    m_bUpdateNeeded = true;
    m_bFirstLayout = true;
    return InitControls(root, nullptr);
}

bool CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
    if (control == nullptr)
        return false;
    control->SetManager(this, parent != nullptr ? parent : control->GetParent(), false);
    control->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            auto* self = static_cast<CPaintManagerUI*>(data);
            self->RegisterNames(c);
            c->Init();
            return nullptr;
        },
        this, UIFIND_ALL);
    return true;
}

void CPaintManagerUI::RegisterNames(CControlUI* control) {
    const std::string name = control->GetName();
    if (name.empty())
        return;
    auto& list = m_names[name];
    if (std::find(list.begin(), list.end(), control) == list.end())
        list.push_back(control);
}

void CPaintManagerUI::RenameControl(CControlUI* control, const std::string& oldName) {
    if (!oldName.empty()) {
        auto it = m_names.find(oldName);
        if (it != m_names.end()) {
            auto& list = it->second;
            list.erase(std::remove(list.begin(), list.end(), control), list.end());
            if (list.empty())
                m_names.erase(it);
        }
    }
    RegisterNames(control);
}

CControlUI* CPaintManagerUI::FindControl(const std::string& name) const {
    auto it = m_names.find(name);
    if (it == m_names.end() || it->second.empty())
        return nullptr;
    return it->second.front();
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
    if (m_pRoot == nullptr)
        return nullptr;
    return m_pRoot->FindControl(FindByPoint, &pt,
                                UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent,
                                                  const std::string& name) const {
    if (parent == nullptr)
        parent = m_pRoot;
    if (parent == nullptr || name.empty())
        return nullptr;
    NameSearch search{&name};
    return parent->FindControl(FindByName, &search, UIFIND_ALL);
}

std::vector<CControlUI*> CPaintManagerUI::FindSubControlsByClass(
    CControlUI* parent, const std::string& className) const {
    std::vector<CControlUI*> found;
    if (parent == nullptr)
        parent = m_pRoot;
    if (parent == nullptr)
        return found;
    ClassSearch search{&className, &found};
    parent->FindControl(CollectByClass, &search, UIFIND_ALL);
    return found;
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* parent, const std::string& className,
                                                   int index) const {
    std::vector<CControlUI*> found = FindSubControlsByClass(parent, className);
    if (index < 0 || index >= static_cast<int>(found.size()))
        return nullptr;
    return found[static_cast<size_t>(index)];
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
    if (control == nullptr)
        return;
    if (control == m_pEventClick) {
        m_pEventClick = nullptr;
        ReleaseCapture();
    }
    if (control == m_pEventRClick)
        m_pEventRClick = nullptr;
    if (control == m_pEventHover)
        m_pEventHover = nullptr;
    if (control == m_pFocus)
        m_pFocus = nullptr;
    if (control == m_pRoot)
        m_pRoot = nullptr;
    KillTimer(control);
    const std::string name = control->GetName();
    if (!name.empty()) {
        auto it = m_names.find(name);
        if (it != m_names.end()) {
            auto& list = it->second;
            list.erase(std::remove(list.begin(), list.end(), control), list.end());
            if (list.empty())
                m_names.erase(it);
        }
    }
    for (auto& [group, members] : m_optionGroups) {
        members.erase(std::remove(members.begin(), members.end(), control), members.end());
    }
    m_aAsyncNotify.erase(std::remove_if(m_aAsyncNotify.begin(), m_aAsyncNotify.end(),
                                        [&](const TNotifyUI& n) { return n.pSender == control; }),
                         m_aAsyncNotify.end());
}

bool CPaintManagerUI::AddOptionGroup(const std::string& group, CControlUI* control) {
    auto& members = m_optionGroups[group];
    if (std::find(members.begin(), members.end(), control) != members.end())
        return false;
    members.push_back(control);
    return true;
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(const std::string& group) const {
    auto it = m_optionGroups.find(group);
    return it == m_optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(const std::string& group, CControlUI* control) {
    auto it = m_optionGroups.find(group);
    if (it == m_optionGroups.end())
        return;
    auto& members = it->second;
    members.erase(std::remove(members.begin(), members.end(), control), members.end());
    if (members.empty())
        m_optionGroups.erase(it);
}

// --- layout and painting -------------------------------------------------------------------

void CPaintManagerUI::Invalidate() {
    if (NativeWindow* native = GetNativeWindow()) {
        SIZE size = GetClientSize();
        native->Invalidate(RECT{0, 0, size.cx, size.cy});
    }
}

void CPaintManagerUI::Invalidate(const RECT& rc) {
    if (rc.IsEmpty())
        return;
    if (NativeWindow* native = GetNativeWindow())
        native->Invalidate(rc);
}

void CPaintManagerUI::ResolveLayout() {
    if (m_pRoot == nullptr)
        return;
    SIZE size = GetClientSize();
    RECT client{0, 0, size.cx, size.cy};
    if (client.IsEmpty())
        return;
    if (m_bUpdateNeeded || m_pRoot->IsUpdateNeeded() || !(m_pRoot->GetPos() == client)) {
        m_bUpdateNeeded = false;
        m_pRoot->SetPos(client, false);
        if (m_bFirstLayout)
            m_bFirstLayout = false;
        return;
    }
    // Parts of the tree that asked for layout since: lay each out in its current place.
    std::vector<CControlUI*> pending;
    m_pRoot->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            static_cast<std::vector<CControlUI*>*>(data)->push_back(c);
            return nullptr;
        },
        &pending, UIFIND_VISIBLE | UIFIND_UPDATETEST);
    for (CControlUI* control : pending) {
        if (control->IsUpdateNeeded())
            control->SetPos(control->GetPos(), false);
    }
}

void CPaintManagerUI::UpdateLayout() {
    ResolveLayout();
}

void CPaintManagerUI::Paint(RenderTarget& target, const RECT& dirty) {
    ResolveLayout();
    if (m_pRoot == nullptr)
        return;
    target.PushClip(dirty);
    m_pRoot->DoPaint(target, dirty, nullptr);
    target.PopClip();
}

// --- timers --------------------------------------------------------------------------------

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT id, UINT elapseMs) {
    UI_ASSERT_WINDOW_THREAD("CPaintManagerUI::SetTimer");
    if (control == nullptr || !HasBackend())
        return false;
    KillTimer(control, id);
    TimerInfo info;
    info.control = control;
    info.id = id;
    info.backendId =
        GetBackend().StartTimer(elapseMs, [this, control, id] { OnTimerTick(control, id); });
    m_aTimers.push_back(info);
    return info.backendId > 0;
}

void CPaintManagerUI::OnTimerTick(CControlUI* control, UINT id) {
    // A timer killed since (perhaps by an earlier tick's handler) delivers nothing.
    if (!HasTimer(control, id))
        return;
    // The tick is a message of the window like any other: it may close the window.
    std::optional<CWindowWnd::InUse> hold;
    if (CWindowWnd* window = GetWindowObject(m_hWndPaint))
        hold.emplace(*window);
    SendEvent(control, UIEVENT_TIMER, m_ptLastMousePos, id, 0);
}

bool CPaintManagerUI::HasTimer(CControlUI* control, UINT id) const {
    return std::any_of(m_aTimers.begin(), m_aTimers.end(),
                       [&](const TimerInfo& t) { return t.control == control && t.id == id; });
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT id) {
    UI_ASSERT_WINDOW_THREAD("CPaintManagerUI::KillTimer");
    auto it = std::find_if(m_aTimers.begin(), m_aTimers.end(),
                           [&](const TimerInfo& t) { return t.control == control && t.id == id; });
    if (it == m_aTimers.end())
        return false;
    if (HasBackend())
        GetBackend().StopTimer(it->backendId);
    m_aTimers.erase(it);
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* control) {
    for (auto it = m_aTimers.begin(); it != m_aTimers.end();) {
        if (it->control == control) {
            if (HasBackend())
                GetBackend().StopTimer(it->backendId);
            it = m_aTimers.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::RemoveAllTimers() {
    if (HasBackend()) {
        for (const TimerInfo& t : m_aTimers)
            GetBackend().StopTimer(t.backendId);
    }
    m_aTimers.clear();
}

// --- notifications -------------------------------------------------------------------------

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (notifier == nullptr ||
        std::find(m_aNotifiers.begin(), m_aNotifiers.end(), notifier) != m_aNotifiers.end())
        return false;
    m_aNotifiers.push_back(notifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
    auto it = std::find(m_aNotifiers.begin(), m_aNotifiers.end(), notifier);
    if (it == m_aNotifiers.end())
        return false;
    m_aNotifiers.erase(it);
    return true;
}

void CPaintManagerUI::SendNotify(CControlUI* control, const std::string& type, WPARAM wParam,
                                 LPARAM lParam, bool async) {
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
    msg.ptMouse = m_ptLastMousePos;
    msg.dwTimestamp = HasBackend() ? static_cast<DWORD>(GetBackend().NowMs()) : 0;
    if (msg.pSender != nullptr && msg.sVirtualWnd.empty())
        msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
    if (!async) {
        DeliverNotify(msg);
        return;
    }
    m_aAsyncNotify.push_back(msg);
    if (!m_bAsyncNotifyPosted && m_hWndPaint != nullptr) {
        m_bAsyncNotifyPosted = PostMessage(m_hWndPaint, WM_APP_NOTIFY, 0, 0);
    }
}

void CPaintManagerUI::DeliverNotify(TNotifyUI& msg) {
    // Copy: a listener may add or remove listeners.
    std::vector<INotifyUI*> notifiers = m_aNotifiers;
    for (INotifyUI* notifier : notifiers) {
        if (std::find(m_aNotifiers.begin(), m_aNotifiers.end(), notifier) == m_aNotifiers.end())
            continue;
        notifier->Notify(msg);
    }
}

void CPaintManagerUI::DrainAsyncNotify() {
    m_bAsyncNotifyPosted = false;
    while (!m_aAsyncNotify.empty()) {
        TNotifyUI msg = m_aAsyncNotify.front();
        m_aAsyncNotify.pop_front();
        DeliverNotify(msg);
    }
}

namespace {

bool AddFilterOnce(std::vector<IMessageFilterUI*>& filters, IMessageFilterUI* filter) {
    if (filter == nullptr || std::find(filters.begin(), filters.end(), filter) != filters.end())
        return false;
    filters.push_back(filter);
    return true;
}

bool RemoveFilter(std::vector<IMessageFilterUI*>& filters, IMessageFilterUI* filter) {
    auto it = std::find(filters.begin(), filters.end(), filter);
    if (it == filters.end())
        return false;
    filters.erase(it);
    return true;
}

}  // namespace

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* filter) {
    return AddFilterOnce(m_aPreMessageFilters, filter);
}

bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter) {
    return RemoveFilter(m_aPreMessageFilters, filter);
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) {
    return AddFilterOnce(m_aMessageFilters, filter);
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
    return RemoveFilter(m_aMessageFilters, filter);
}

MenuCmd* CPaintManagerUI::KeepMenuCmd(std::unique_ptr<MenuCmd> cmd) {
    m_aMenuCmds.push_back(std::move(cmd));
    return m_aMenuCmds.back().get();
}

void CPaintManagerUI::DeletePtr(void* ptr) {
    m_aMenuCmds.erase(
        std::remove_if(m_aMenuCmds.begin(), m_aMenuCmds.end(),
                       [&](const std::unique_ptr<MenuCmd>& c) { return c.get() == ptr; }),
        m_aMenuCmds.end());
}

// --- DPI -----------------------------------------------------------------------------------

void CPaintManagerUI::SetDPI(int dpi) {
    if (dpi <= 0 || dpi == m_dpi.GetDPI())
        return;
    int old = m_dpi.GetDPI();
    m_dpi.SetDPI(dpi);
    ResetDPIAssets();
    // The window keeps its size in 96-DPI pixels.
    if (CWindowWnd* window = GetWindowObject(m_hWndPaint)) {
        RECT rc = window->GetWindowRect();
        int cx = rc.Width() * dpi / old;
        int cy = rc.Height() * dpi / old;
        unsigned sizesBefore = m_nSizeMessages;
        window->SetWindowPos(RECT{rc.left, rc.top, rc.left + cx, rc.top + cy});
        // A realisation that resizes later (or not at all for a hidden window) has not told
        // the window yet: the layout must follow now.
        if (m_nSizeMessages == sizesBefore)
            window->HandleMessage(WM_SIZE, 0, MAKELPARAM(cx, cy));
    }
}

void CPaintManagerUI::SetAllDPI(int dpi) {
    for (CPaintManagerUI* manager : Managers())
        manager->SetDPI(dpi);
}

void CPaintManagerUI::ResetDPIAssets() {
    // Fonts are scaled when asked for (GetFont); images are decoded once at their own size
    // and scaled while drawing, so only the layout has to follow.
    if (m_pRoot != nullptr)
        m_pRoot->NeedUpdate();
    m_bUpdateNeeded = true;
    Invalidate();
}

// --- fonts ---------------------------------------------------------------------------------

void CPaintManagerUI::AddFont(int id, const std::string& face, int size, bool bold, bool underline,
                              bool italic, bool shared) {
    TFontInfo info{face, size, bold, underline, italic};
    if (shared) {
        g_sharedFonts[id] = info;
    } else {
        m_fonts[id] = info;
    }
    NeedUpdate();
}

void CPaintManagerUI::SetDefaultFont(const std::string& face, int size, bool bold, bool underline,
                                     bool italic, bool shared) {
    TFontInfo info{face, size, bold, underline, italic};
    if (shared) {
        g_sharedDefaultFont = info;
        g_hasSharedDefaultFont = true;
    } else {
        m_defaultFont = info;
        m_bHasDefaultFont = true;
    }
    NeedUpdate();
}

const TFontInfo* CPaintManagerUI::GetFontInfo(int id) const {
    auto it = m_fonts.find(id);
    if (it != m_fonts.end())
        return &it->second;
    auto shared = g_sharedFonts.find(id);
    if (shared != g_sharedFonts.end())
        return &shared->second;
    return nullptr;
}

const TFontInfo& CPaintManagerUI::GetDefaultFontInfo() const {
    if (m_bHasDefaultFont)
        return m_defaultFont;
    if (g_hasSharedDefaultFont)
        return g_sharedDefaultFont;
    static const TFontInfo fallback{};
    return fallback;
}

FontSpec CPaintManagerUI::GetFont(int id) const {
    const TFontInfo* info = id >= 0 ? GetFontInfo(id) : nullptr;
    if (info == nullptr)
        info = &GetDefaultFontInfo();
    FontSpec font;
    font.face = info->face;
    font.size = m_dpi.Scale(info->size);
    font.bold = info->bold;
    font.italic = info->italic;
    font.underline = info->underline;
    return font;
}

void CPaintManagerUI::RemoveFont(int id) {
    m_fonts.erase(id);
    NeedUpdate();
}

void CPaintManagerUI::RemoveAllFonts(bool shared) {
    m_fonts.clear();
    m_bHasDefaultFont = false;
    if (shared) {
        g_sharedFonts.clear();
        g_hasSharedDefaultFont = false;
    }
    NeedUpdate();
}

std::string CPaintManagerUI::AddFontMemResource(const std::string& bytes) {
    if (!HasBackend() || bytes.empty())
        return {};
    return GetBackend().AddPrivateFont(bytes);
}

// --- images --------------------------------------------------------------------------------

const TImageInfo* CPaintManagerUI::GetImageEx(const std::string& bitmap, const std::string& type,
                                              Color mask, bool /*hsl*/, HINSTANCE /*instance*/) {
    if (bitmap.empty())
        return nullptr;
    auto def = m_imageDefs.find(bitmap);
    if (def != m_imageDefs.end()) {
        return m_images->GetImage(def->second.file, def->second.type, def->second.mask);
    }
    std::string indexed = NormalizePath(CResourceManager::GetInstance()->GetImagePath(bitmap));
    return m_images->GetImage(indexed.empty() ? NormalizePath(bitmap) : indexed, type, mask);
}

const TDrawInfo* CPaintManagerUI::GetDrawInfo(const std::string& image, const std::string& modify) {
    if (image.empty())
        return nullptr;
    return &m_images->GetDrawInfo(image, modify);
}

void CPaintManagerUI::AddImageDefinition(const std::string& name, const std::string& file,
                                         const std::string& type, Color mask, bool /*shared*/) {
    m_imageDefs[name] = ImageDefinition{NormalizePath(file), type, mask};
}

void CPaintManagerUI::RemoveAllImages() {
    m_images->RemoveAll();
    m_imageDefs.clear();
}

// --- Default attribute lists -------------------------------------------------------------

void CPaintManagerUI::AddDefaultAttributeList(const std::string& controlName,
                                              const std::string& list, bool shared) {
    if (shared) {
        g_sharedDefaultAttrs[controlName] = list;
    } else {
        m_defaultAttrs[controlName] = list;
    }
}

std::string CPaintManagerUI::GetDefaultAttributeList(const std::string& controlName) const {
    auto it = m_defaultAttrs.find(controlName);
    if (it != m_defaultAttrs.end())
        return it->second;
    auto shared = g_sharedDefaultAttrs.find(controlName);
    if (shared != g_sharedDefaultAttrs.end())
        return shared->second;
    return {};
}

void CPaintManagerUI::RemoveAllDefaultAttributeList(bool shared) {
    m_defaultAttrs.clear();
    if (shared)
        g_sharedDefaultAttrs.clear();
}

}  // namespace ui
