// The main window's language, fonts and DPI.
#include "app/DpiRule.h"
#include "app/LanguageRules.h"
#include "app/MainWnd.h"
#include "app/SubWindows.h"
#include "platform/FileIO.h"
#include "platform/Registry.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/skin/ResourceManager.h"

namespace app {

void CMainWnd::ApplyLanguage(int index) {
    if (index == languageIndex_)
        return;
    // The entry is read first: an index the list does not hold (or a list that cannot be
    // read) changes nothing, neither the fonts nor the texts nor the stored choice.
    std::string text;
    LanguageList languages;
    if (platform::ReadWholeFile(options_.dataFolder + kLanguageConfigName, text))
        languages = ParseLanguageConfig(text);
    const LanguageEntry* entry = languages.At(index);
    if (entry == nullptr) {
        platform::TraceF("MainWnd: no language %d in %s; the language stays as it is", index,
                         kLanguageConfigName);
        return;
    }
    if (LanguageChangeReplacesFonts(index, languageIndex_)) {
        const std::string face = FontFaceForLanguage(index);
        m_pm.RemoveAllFonts(true);
        for (const FontSlot& slot : LanguageFontSet()) {
            if (slot.id < 0)
                m_pm.SetDefaultFont(face, slot.size, slot.bold, false, false, true);
            else
                m_pm.AddFont(slot.id, face, slot.size, slot.bold, false, false, true);
        }
    }
    languageIndex_ = index;
    ui::CResourceManager* resources = ui::CResourceManager::GetInstance();
    resources->SetLanguage(entry->name);
    resources->LoadLanguage(entry->file);
    resources->ReloadText();
    if (auto key = platform::OpenKey(kLanguageRegistryKey)) {
        if (key->SetDword(kLanguageRegistryValue, entry->id))
            platform::Trace("写成功！");
    }
    m_pm.Invalidate();
    // The settings and about windows follow; the music window will once it is built.
    TellAuxiliaryWindowsLanguage();
    m_pm.NeedUpdate();
}

void CMainWnd::FitDpi() {
    const bool wasShown = ShownAndNotMinimised();
    // A minimised window is restored to be sized; a hidden one is sized as it is (restoring
    // would show it for a moment).
    if (IsMinimized())
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    ui::Rect screen = ui::GetBackend().WorkArea();
    int dpi = DpiForScreen(screen.Width(), screen.Height());
    if (!IsAcceptedDpi(dpi)) {
        platform::Trace("MAIN_WND DPI SET ERROR");
        dpi = 96;
    }
    ui::CPaintManagerUI::SetAllDPI(96);
    ResizeClient(kFitWidth, kFitHeight);
    ui::CPaintManagerUI::SetAllDPI(dpi);
    dpi_ = dpi;
    CenterWindow();
    ShowWindow(wasShown, false);
}

}  // namespace app
